#include "pages/operation/output_format.h"

#include <gtest/gtest.h>

#include "core/defaults.h"

namespace k470 {
namespace {

TEST(OutputFormatTest, KeyBuffersGoToTheirOwnBytesWhole) {
  SettingsImage image;
  image.Fill(0, kImageSize, 0xEE);
  image.SetByte(kCounterFlagsByte, 0xFF);
  OutputFormat f;
  const KeySequenceField* fields[] = {&kCounterPrefixField,   &kCounterSuffixField,
                                      &kTimestampPrefixField, &kTimestampSuffixField,
                                      &kEpcPrefixField,       &kEpcSuffixField};
  KeyBuffer* buffers[] = {&f.counter_prefix,   &f.counter_suffix, &f.timestamp_prefix,
                          &f.timestamp_suffix, &f.epc_prefix,     &f.epc_suffix};
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j < kKeyFieldSize; ++j) {
      (*buffers[i])[j] = static_cast<std::uint8_t>(0x10 * (i + 1) + j);  // no terminator
    }
  }
  f.left_padding = 1;
  StoreOutputFormat(f, image);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(ReadKeyBuffer(image, *fields[i]), *buffers[i]) << fields[i]->edit_id;
  }
  EXPECT_EQ(image.Byte(kLeftPaddingByte), kZeroPadding);
  EXPECT_EQ(image.Byte(kCounterFlagsByte), 0xF9);  // bits 0 and 3-7 kept
  EXPECT_EQ(image.Byte(372), 0xEE);
  EXPECT_EQ(image.Byte(373), 0xEE);
  EXPECT_EQ(image.Byte(390), 0xEE);
  EXPECT_EQ(LoadOutputFormat(image, kNoCode), f);

  // The padding field is a single byte.
  WriteKeyBuffer(KeyBuffer{0x41, 0x42}, kLeftPaddingField, image);
  EXPECT_EQ(image.Byte(kLeftPaddingByte), 0x41);
  EXPECT_EQ(image.Byte(kLeftPaddingByte + 1), 0x10);
  EXPECT_EQ(ReadKeyBuffer(image, kLeftPaddingField), (KeyBuffer{0x41}));
}

TEST(OutputFormatTest, LeftPaddingIsABlankUnlessItIsTheDigitZero) {
  struct Case {
    std::uint8_t stored;
    int shown;
    std::uint8_t stored_again;
  };
  const Case cases[] = {{0x30, 1, 0x30}, {0x20, 0, 0x20}, {0x00, 0, 0x20}, {0x41, 0, 0x20}};
  for (const auto& c : cases) {
    SettingsImage image;
    image.SetByte(kLeftPaddingByte, c.stored);
    const auto f = LoadOutputFormat(image, kNoCode);
    EXPECT_EQ(f.left_padding, c.shown);
    StoreOutputFormat(f, image);
    EXPECT_EQ(image.Byte(kLeftPaddingByte), c.stored_again) << int{c.stored};
  }
  SettingsImage image;
  image.SetByte(kLeftPaddingByte, 0x41);
  OutputFormat none;
  none.left_padding = kNoCode;
  StoreOutputFormat(none, image);
  EXPECT_EQ(image.Byte(kLeftPaddingByte), 0x41);
}

}  // namespace
}  // namespace k470
