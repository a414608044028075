#include "settings/operation/key_composition.h"

#include <gtest/gtest.h>

#include <vector>

namespace k470 {
namespace {

using enum SelectedInterface;

KeyBuffer Buffer(std::initializer_list<std::uint8_t> bytes) {
  KeyBuffer b{};
  std::copy(bytes.begin(), bytes.end(), b.begin());
  return b;
}

// Composing with modifiers and scan codes is checked through the picker;
// here what a reopened field starts from.
TEST(KeyCompositionTest, AReopenedFieldGoesOnWithItsModifierOrItsScanCodes) {
  // Reopened: the modifier met in the field is on again for the next key.
  KeyComposition again(Buffer({0xC2, 0x41}), kKeyFieldSize, kM912Hid);
  EXPECT_EQ(again.modifiers(), kLeftCtrl);
  EXPECT_EQ(again.AddKey(0x0D), KeyAddResult::kAdded);
  EXPECT_EQ(again.result_text(), "[LeftCtrl][A][LeftCtrl][Enter]");
  EXPECT_EQ(again.StoredBytes(), Buffer({0xC2, 0x41, 0xC2, 0x0D}));

  KeyComposition two_pairs(Buffer({0xC0, 0x1C, 0xC0, 0x2A}), kKeyFieldSize, kM912Hid);
  EXPECT_EQ(two_pairs.key_type(), KeyType::kScanCode);
  EXPECT_EQ(two_pairs.byte_count(), 4u);
  EXPECT_EQ(two_pairs.AddKey(0x33), KeyAddResult::kAdded);
  EXPECT_EQ(two_pairs.StoredBytes(), Buffer({0xC0, 0x1C, 0xC0, 0x2A, 0xC0, 0x33}));
}

TEST(KeyCompositionTest, AModifiedKeyIsNeverSplitFromItsModifierByte) {
  struct Case {
    std::size_t opened_with;  // bytes already composed: unmodified keys, or scan-code pairs
    std::size_t field_size;
    ModifierFlags modifiers;
    KeyType type;
    bool accepted;
  };
  const Case cases[] = {
      {7, 8, 0, KeyType::kNormalKey, true},
      {7, 8, kShift, KeyType::kNormalKey, false},  // one byte left, two needed
      {6, 8, kRightAlt, KeyType::kNormalKey, true},
      {6, 8, 0, KeyType::kScanCode, true},
      {8, 8, 0, KeyType::kScanCode, false},
      {8, 8, 0, KeyType::kNormalKey, false},
      {0, 1, 0, KeyType::kNormalKey, true},  // the padding field
      {0, 1, kShift, KeyType::kNormalKey, false},
      {0, 1, 0, KeyType::kScanCode, false},
  };
  for (const auto& t : cases) {
    KeyBuffer field{};
    std::fill_n(field.begin(), t.opened_with, 'x');
    KeyComposition c(field, t.field_size, kBluetoothHid);
    if (t.type == KeyType::kScanCode) {
      c.SetKeyType(KeyType::kScanCode);
      for (std::size_t i = 0; i + 2 <= t.opened_with; i += 2) c.AddKey(0x1C);
    }
    if (t.modifiers) c.ToggleModifier(t.modifiers);
    const std::size_t before = c.byte_count();
    const KeyBuffer stored_before = c.StoredBytes();
    EXPECT_EQ(c.CanAddKey(), t.accepted) << t.opened_with << "/" << t.field_size;
    EXPECT_EQ(c.AddKey('y') == KeyAddResult::kAdded, t.accepted);
    if (!t.accepted) {
      EXPECT_EQ(c.byte_count(), before);
      EXPECT_EQ(c.StoredBytes(), stored_before);
    }
    EXPECT_LE(c.byte_count(), t.field_size);
  }
}

TEST(KeyCompositionTest, KeepsOnlyTheBytesTheFieldShows) {
  // A form the picker never writes: the bytes after the scan-code pair are
  // not shown, so they are not kept either and a new key follows the pair.
  KeyComposition c(Buffer({'A', 0xC0, 0x1C, 'B'}), kKeyFieldSize, kBluetoothHid);
  EXPECT_EQ(c.result_text(), "A[1C]");
  c.AddKey('C');
  EXPECT_EQ(c.StoredBytes(), Buffer({'A', 0xC0, 0x1C, 'C'}));
}

}  // namespace
}  // namespace k470
