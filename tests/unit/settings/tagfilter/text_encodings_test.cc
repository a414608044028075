#include "settings/tagfilter/text_encodings.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/support/filter_choices.h"

namespace k470 {
namespace {

using testing::kPrintable;
using testing::RandomText;

FilterMask MaskOf(std::vector<std::uint8_t> head) {
  FilterMask mask{};
  std::copy(head.begin(), head.end(), mask.begin());
  return mask;
}

TEST(TextEncodingsTest, WorkedExamples) {
  EXPECT_EQ(EncodeDecimal("5", 4), MaskOf({0x50}));
  EXPECT_EQ(EncodeDecimal("1000", 20), MaskOf({0x00, 0x3E, 0x80}));
  EXPECT_EQ(EncodeCharacters6("A1", 12), MaskOf({0x07, 0x10}));
  EXPECT_EQ(EncodeCharacters6("AB12", 24), MaskOf({0x04, 0x2C, 0x72}));
  EXPECT_EQ(EncodeCharacters7("AB"), MaskOf({0x20, 0xC2}));
}

TEST(TextEncodingsTest, DecimalWrapsAndDropsHighBitsWithoutOverrun) {
  // 2^64 + 5 wraps to 5; a wider field is held to the 64 bits of the number.
  EXPECT_EQ(EncodeDecimal("18446744073709551621", 4), MaskOf({0x50}));
  EXPECT_EQ(EncodeDecimal("17", 4), MaskOf({0x10}));  // 17 loses its fifth bit
  EXPECT_EQ(EncodeDecimal("a", 8), MaskOf({49}));     // letters are not checked
  EXPECT_EQ(EncodeDecimal("1", 300), MaskOf({0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(DecodeDecimal(MaskOf({0, 0, 0, 0, 0, 0, 0, 1, 0xFF}), 1000), "1");
  EXPECT_EQ(DecodeDecimal(FilterMask{}, 24), "");
  FilterMask full;  // decodings of a full mask stay inside it
  full.fill(0xFF);
  EXPECT_EQ(DecodeCharacters6(full, 65535), std::string(42, '?'));
  EXPECT_EQ(DecodeCharacters7(full).size(), 36u);
  EXPECT_EQ(DecodeDecimal(full, 65535), "18446744073709551615");
}

// Texts of seven characters, and of eight or more, start with a zero byte or
// zero bits that a decoding stopping at the first zero byte would misread.
TEST(TextEncodingsTest, SevenBitRoundTripsEveryLengthThatFits) {
  std::mt19937 rng(11);
  for (std::size_t length = 0; length <= kMaxCharacters7; ++length) {
    for (std::string_view alphabet : {kPrintable, std::string_view("0123456789")}) {
      const std::string text = RandomText(rng, alphabet, length);
      EXPECT_EQ(DecodeCharacters7(EncodeCharacters7(text)), text) << text;
    }
  }
  const std::string long_text(40, '7');
  EXPECT_EQ(DecodeCharacters7(EncodeCharacters7(long_text)), long_text.substr(0, 36));
}

TEST(TextEncodingsTest, SixBitRoundTripsUpperCasedAndCutToTheMask) {
  std::mt19937 rng(13);
  const std::string_view adi = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-/ ";
  for (std::size_t length = 1; length <= kMaxCharacters6; ++length) {
    std::string text = RandomText(rng, adi, length);
    const auto bits = static_cast<unsigned>(6 * length);
    const std::string decoded = DecodeCharacters6(EncodeCharacters6(text, bits), bits);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(decoded, text);
  }
  // A longer text keeps its last characters; a shorter CAGE is led by spaces.
  EXPECT_EQ(DecodeCharacters6(EncodeCharacters6("1234567", 36), 36), "234567");
  EXPECT_EQ(DecodeCharacters6(EncodeCharacters6("2S194", 36), 36), " 2S194");
  EXPECT_EQ(EncodeCharacters6("", 36), FilterMask{});
  EXPECT_EQ(DecodeCharacters6(MaskOf({0x04, 0x00, 0x72}), 24), "A");  // 0 ends the text
}

}  // namespace
}  // namespace k470
