#include "pages/system/key_composition.h"

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

TEST(KeyCompositionTest, SerialFieldOpensWithItsTextAndTakesKeysUpToItsSize) {
  const KeyBuffer field = Buffer({'I', 'D', 0x0D});
  KeyComposition c(field, kKeyFieldSize, kM912Vcom);
  EXPECT_EQ(c.grid(), KeyGrid::kAscii);
  EXPECT_EQ(c.result_text(), "ID[CR]");
  EXPECT_EQ(c.byte_count(), 3u);
  for (const std::uint8_t key : {0x20, 0x26, 0x09, 0x7F, 0x41}) {
    EXPECT_EQ(c.AddKey(key), KeyAddResult::kAdded);
  }
  EXPECT_EQ(c.AddKey(0x42), KeyAddResult::kTooManyCharacters);
  EXPECT_EQ(c.result_text(), "ID[CR][Space]&[HT]DELA");
  EXPECT_EQ(c.StoredBytes(), Buffer({'I', 'D', 0x0D, 0x20, 0x26, 0x09, 0x7F, 0x41}));
  EXPECT_EQ(c.opening_text(), "ID[CR]");  // what Cancel puts back
  EXPECT_EQ(c.AddKey(0x80), KeyAddResult::kNotInGrid);
}

TEST(KeyCompositionTest, AFullFieldRefusesTheFirstKey) {
  const KeyBuffer full = Buffer({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'});
  for (const auto selected : {kBluetoothSpp, kBluetoothHid}) {
    KeyComposition c(full, kKeyFieldSize, selected);
    EXPECT_EQ(c.byte_count(), 8u);
    EXPECT_FALSE(c.CanAddKey());
    EXPECT_EQ(c.AddKey('x'), KeyAddResult::kTooManyCharacters);
    EXPECT_EQ(c.StoredBytes(), full);
  }
}

TEST(KeyCompositionTest, ModifiersStayOnAndPrecedeEveryKey) {
  KeyComposition c(KeyBuffer{}, kKeyFieldSize, kBluetoothHid);
  c.ToggleModifier(kShift);
  EXPECT_EQ(c.AddKey('a'), KeyAddResult::kAdded);
  EXPECT_EQ(c.AddKey('b'), KeyAddResult::kAdded);
  EXPECT_EQ(c.result_text(), "[Shift]a[Shift]b");
  const KeyBuffer stored = c.StoredBytes();
  EXPECT_EQ(stored, Buffer({0xC1, 0x61, 0xC1, 0x62}));
  EXPECT_EQ(DescribeKeySequence(stored, kKeyFieldSize, kBluetoothHid).text, "[Shift][a][Shift][b]");

  // Reopened: the modifier met in the field is on again for the next key.
  KeyComposition again(Buffer({0xC2, 0x41}), kKeyFieldSize, kM912Hid);
  EXPECT_EQ(again.modifiers(), kLeftCtrl);
  EXPECT_EQ(again.AddKey(0x0D), KeyAddResult::kAdded);
  EXPECT_EQ(again.result_text(), "[LeftCtrl][A][LeftCtrl][Enter]");
  EXPECT_EQ(again.StoredBytes(), Buffer({0xC2, 0x41, 0xC2, 0x0D}));
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

TEST(KeyCompositionTest, ScanCodesGoInPairsFourToAField) {
  KeyComposition c(Buffer({'q'}), kKeyFieldSize, kBluetoothHid);
  c.SetKeyType(KeyType::kScanCode);
  EXPECT_EQ(c.byte_count(), 0u);  // switching the type starts afresh
  EXPECT_EQ(c.grid(), KeyGrid::kScanCode);
  for (const std::uint8_t code : {0x1C, 0x2A, 0x00, 0xFF}) {
    EXPECT_EQ(c.AddKey(code), KeyAddResult::kAdded);
  }
  EXPECT_EQ(c.AddKey(0x01), KeyAddResult::kTooManyCharacters);
  EXPECT_EQ(c.result_text(), "[1C]2A[00]FF");
  EXPECT_EQ(c.StoredBytes(), Buffer({0xC0, 0x1C, 0xC0, 0x2A, 0xC0, 0x00, 0xC0, 0xFF}));

  KeyComposition two_pairs(Buffer({0xC0, 0x1C, 0xC0, 0x2A}), kKeyFieldSize, kM912Hid);
  EXPECT_EQ(two_pairs.key_type(), KeyType::kScanCode);
  EXPECT_EQ(two_pairs.byte_count(), 4u);
  EXPECT_EQ(two_pairs.AddKey(0x33), KeyAddResult::kAdded);
  EXPECT_EQ(two_pairs.StoredBytes(), Buffer({0xC0, 0x1C, 0xC0, 0x2A, 0xC0, 0x33}));
}

TEST(KeyCompositionTest, KeyTypeSwitchAndClearEmptyTheCompositionButKeepModifiers) {
  KeyComposition c(Buffer({0xC1, 0x41}), kKeyFieldSize, kBluetoothHid);
  c.SetKeyType(KeyType::kScanCode);
  c.SetKeyType(KeyType::kNormalKey);
  EXPECT_EQ(c.StoredBytes(), KeyBuffer{});
  EXPECT_EQ(c.result_text(), "");
  EXPECT_EQ(c.modifiers(), kShift);
  c.AddKey('z');
  c.Clear();
  EXPECT_EQ(c.byte_count(), 0u);
  EXPECT_EQ(c.modifiers(), kShift);
  EXPECT_EQ(c.key_type(), KeyType::kNormalKey);
}

TEST(KeyCompositionTest, TheEmptyCellEndsTheSequenceWhenDescribedAgain) {
  KeyComposition c(KeyBuffer{}, kKeyFieldSize, kBluetoothSpp);
  c.AddKey('A');
  c.AddKey(0x00);
  c.AddKey('B');
  EXPECT_EQ(c.result_text(), "A[]B");
  EXPECT_EQ(DescribeKeySequence(c.StoredBytes(), kKeyFieldSize, kBluetoothSpp).text, "A");
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
