#include "settings/operation/key_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k470 {
namespace {

using enum SelectedInterface;
constexpr SelectedInterface kSerial[] = {kBluetoothSpp, kM912Vcom};
constexpr SelectedInterface kKeyboard[] = {kBluetoothHid, kM912Hid};
constexpr SelectedInterface kAll[] = {kBluetoothSpp, kBluetoothHid, kM912Vcom, kM912Hid};

struct DescribeCase {
  bool keyboard;
  std::vector<std::uint8_t> bytes;
  std::size_t field_size;
  std::string text;
  std::size_t count;
  ModifierFlags modifiers = 0;
  KeyType type = KeyType::kNormalKey;
};

TEST(DescribeKeySequenceTest, TextCountTypeAndModifiersOverEveryInterface) {
  using KeyType::kScanCode;
  const DescribeCase cases[] = {
      // Serial: control characters bracketed, the rest as they are.
      {false, {0x24, 0x0D}, 8, "$[CR]", 2},
      {false, {0x49, 0x44, 0x09}, 8, "ID[HT]", 3},
      {false, {0x20, 0x26, 0x7F, 0x01, 0x1F}, 8, "[Space]&DEL[SOH][US]", 5},
      {false, {'A', 'B', 0, 'C'}, 8, "AB", 2},
      {false, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}, 8, "ABCDEFGH", 8},
      {false, {0x30, 0x41}, 1, "0", 1},  // the padding field is one byte
      {false, {0x80, 0xC1, 0xFF}, 8, "[0x80][0xC1][0xFF]", 3},
      // Keyboard, normal keys.
      {true, {0x41, 0x0D}, 8, "A[Enter]", 2},
      {true, {0xC1, 0x61, 0x0D}, 8, "[Shift][a][Enter]", 3, kShift},
      {true, {0x41, 0x7F, 0x42}, 8, "ADelayB", 3},
      {true, {0xC1, 0x09}, 8, "[Shift][HT]", 2, kShift},
      {true, {0xC6, 0x02}, 8, "[LeftCtrl][LeftAlt][Delete]", 2, kLeftCtrl | kLeftAlt},
      {true,
       {0xD8, 0x8F, 0xC2, 0x80},
       8,
       "[RightCtrl][RightAlt][Enter*][LeftCtrl][0*]",
       4,
       kRightCtrl | kRightAlt | kLeftCtrl},
      {true, {0x89, 0x20, 0x1E}, 8, "9*[Space][]", 3},
      {true, {0xC1, 0x00, 0x41}, 8, "[Shift]", 1, kShift},
      {true, {'a', 'b', 'c', 'd', 'e', 'f', 'g', 0xC4, 0x41}, 8, "abcdefg[LeftAlt]", 8, kLeftAlt},
      {true, {0xE0, 0x41}, 8, "[A]", 2},  // modifier byte with no modifier bits
      {true, {0x90, 0xC1, 0xBF}, 8, "[0x90][Shift][0xBF]", 3, kShift},
      {true, {0x41, 0xC0, 0x1C, 0x42}, 8, "A[1C]", 3},  // a pair ends the description
      {true, {0x41, 0xC0, 0x00, 0x42}, 8, "A", 1},
      {true, {0x41, 0xC0}, 2, "A", 1},
      // Keyboard, scan codes.
      {true, {0xC0, 0x1C, 0xC0, 0x2A}, 8, "[1C][2A]", 4, 0, kScanCode},
      {true, {0xC0, 0x00, 0xC0, 0x2A}, 8, "[00][2A]", 4, 0, kScanCode},
      {true, {0xC0, 0x1C, 0xC0, 0x00, 0xC0, 0x2A}, 8, "[1C]", 2, 0, kScanCode},
      {true, {0xC0, 0x1C, 0xC0}, 3, "[1C]", 2, 0, kScanCode},
      {true, {0xC0}, 1, "", 0, 0, kScanCode},
      {true, {0xC0, 1, 0xC0, 2, 0xC0, 3, 0xC0, 0xFF}, 8, "[01][02][03][FF]", 8, 0, kScanCode},
  };
  for (const auto& c : cases) {
    for (const auto selected : c.keyboard ? kKeyboard : kSerial) {
      const auto d = DescribeKeySequence(c.bytes, c.field_size, selected);
      EXPECT_EQ(d.text, c.text) << "interface " << static_cast<int>(selected);
      EXPECT_EQ(d.byte_count, c.count) << c.text;
      EXPECT_EQ(d.key_type, c.type) << c.text;
      EXPECT_EQ(d.modifiers, c.modifiers) << c.text;
    }
  }
}

TEST(DescribeKeySequenceTest, NeverReadsPastTheSpanOrTheField) {
  const std::vector<std::uint8_t> three = {'A', 'B', 'C'};
  for (const auto selected : kAll) {
    EXPECT_EQ(DescribeKeySequence(three, 8, selected).byte_count, 3u);
    EXPECT_EQ(DescribeKeySequence(three, 0, selected).text, "");
    EXPECT_EQ(DescribeKeySequence(std::span<const std::uint8_t>{}, 8, selected).byte_count, 0u);
  }
  const std::vector<std::uint8_t> modifier_last = {0xC1};
  EXPECT_EQ(DescribeKeySequence(modifier_last, 8, kBluetoothHid).text, "[Shift]");
}

// The bound for any eight bytes is the fuzz target's to keep; this is the case
// that reaches it.
TEST(DescribeKeySequenceTest, EightBytesDescribeInAtMost220Characters) {
  const std::vector<std::uint8_t> longest = {0xDF, 0x8F, 0xDF, 0x02, 0xDF, 0x01, 0xDF, 0x8F};
  EXPECT_EQ(DescribeKeySequence(longest, 8, kM912Hid).text.size(), kMaxKeySequenceText);
}

}  // namespace
}  // namespace k470
