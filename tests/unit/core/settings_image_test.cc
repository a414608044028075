#include "core/settings_image.h"

#include <gtest/gtest.h>

#include "core/checksum.h"

namespace k470 {
namespace {

TEST(SettingsImageTest, BitFieldsChangeOnlyTheirOwnBits) {
  SettingsImage im;
  im.Fill(0, kImageSize, 0xFF);
  im.SetBits(8, 4, 5, 0);  // bits 4-8 of the word at 8 cross into byte 9
  EXPECT_EQ(im.Byte(8), 0x0F);
  EXPECT_EQ(im.Byte(9), 0xFE);
  EXPECT_EQ(im.Byte(7), 0xFF);
  EXPECT_EQ(im.Byte(10), 0xFF);
  EXPECT_EQ(im.Bits(8, 0, 16), 0xFE0F);

  im.SetBits(8, 4, 5, 0x1FF);  // too wide a value is masked, not spilled
  EXPECT_EQ(im.Word16(8), 0xFFFF);

  im.SetBit(100, 7, false);
  EXPECT_FALSE(im.Bit(100, 7));
  EXPECT_EQ(im.Byte(100), 0x7F);
}

TEST(SettingsImageTest, WordsAreLittleEndian) {
  SettingsImage im;
  im.SetWord32(341, 0x12345678);
  EXPECT_EQ(im.Byte(341), 0x78);
  EXPECT_EQ(im.Byte(344), 0x12);
  EXPECT_EQ(im.Bits(341, 0, 23), 0x345678u);
  im.SetWord16(636, 0xBEEF);
  EXPECT_EQ(im.Byte(636), 0xEF);
  EXPECT_EQ(im.Byte(637), 0xBE);
  EXPECT_EQ(im.Word32(636), 0xBEEFu);
}

TEST(SettingsImageTest, TextFieldsEndAtNulOrFillTheField) {
  SettingsImage im;
  im.Fill(390, 20, 'x');
  im.SetText(390, 10, "#@TRIGON\r");
  EXPECT_EQ(im.Text(390, 10), "#@TRIGON\r");
  EXPECT_EQ(im.Byte(399), 0);
  EXPECT_EQ(im.Byte(400), 'x');  // the next field is untouched

  im.SetText(400, 10, "0123456789ABC");  // cut to the field, no terminator
  EXPECT_EQ(im.Text(400, 10), "0123456789");
  EXPECT_EQ(im.Byte(410), 0);

  im.SetText(400, 10, "ab");  // the rest of the field is cleared
  EXPECT_EQ(im.Byte(403), 0);
  EXPECT_EQ(im.Byte(409), 0);
}

TEST(SettingsImageDeathTest, OffsetOutsideTheImageStops) {
  SettingsImage im;
  EXPECT_DEATH(im.SetByte(640, 1), "out of range");
  EXPECT_DEATH(im.Word16(639), "out of range");
  EXPECT_DEATH(im.Text(630, 11), "out of range");
}

TEST(ChecksumTest, PairIsSumAndComplementOfFirst638Bytes) {
  SettingsImage im;
  im.Fill(0, kImageSize, 0xFF);  // old pair must not feed into the new one
  StoreChecksumPair(im);
  // 638 * 255 = 162690 = 0x27B82
  EXPECT_EQ(im.Byte(638), 0x82);
  EXPECT_EQ(im.Byte(639), 0x7D);

  SettingsImage again = im;
  StoreChecksumPair(again);
  EXPECT_EQ(again, im);

  SettingsImage zero;
  zero.SetByte(0, 1);
  StoreChecksumPair(zero);
  EXPECT_EQ(zero.Byte(638), 1);
  EXPECT_EQ(zero.Byte(639), 0xFE);
}

}  // namespace
}  // namespace k470
