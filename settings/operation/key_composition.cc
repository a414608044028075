#include "settings/operation/key_composition.h"

#include <algorithm>

namespace k470 {

KeyComposition::KeyComposition(std::span<const std::uint8_t> field, std::size_t field_size,
                               SelectedInterface selected)
    : field_size_(std::min(field_size, kKeyFieldSize)), keyboard_(IsKeyboardInterface(selected)) {
  const KeySequenceDescription d = DescribeKeySequence(field, field_size_, selected);
  // Only the bytes the field shows are kept, so OK stores what the user saw
  // and a new key goes right after it.
  count_ = std::min(d.byte_count, field_size_);
  std::copy_n(field.begin(), count_, bytes_.begin());
  result_text_ = d.text;
  opening_text_ = d.text;
  if (keyboard_) {
    key_type_ = d.key_type;
    modifiers_ = d.modifiers;
  }
  Layout();
}

KeyGrid KeyComposition::grid() const {
  if (!keyboard_) return KeyGrid::kAscii;
  return key_type_ == KeyType::kScanCode ? KeyGrid::kScanCode : KeyGrid::kNormalKey;
}

void KeyComposition::Layout() {
  limit_ = field_size_;
  if (keyboard_ && (key_type_ == KeyType::kScanCode || modifiers_ != 0)) {
    limit_ = field_size_ & ~std::size_t{1};  // whole pairs only
  }
}

std::size_t KeyComposition::BytesPerKey() const {
  if (!keyboard_) return 1;
  return key_type_ == KeyType::kScanCode || modifiers_ != 0 ? 2 : 1;
}

bool KeyComposition::CanAddKey() const { return count_ + BytesPerKey() <= limit_; }

KeyAddResult KeyComposition::AddKey(std::uint8_t code) {
  const KeyGrid shown = grid();
  if (code >= KeyGridCodeCount(shown)) return KeyAddResult::kNotInGrid;
  if (!CanAddKey()) return KeyAddResult::kTooManyCharacters;
  if (keyboard_ && key_type_ == KeyType::kScanCode) {
    bytes_[count_++] = kScanCodeMarker;
  } else if (keyboard_ && modifiers_ != 0) {
    result_text_ += ModifierNames(modifiers_);
    bytes_[count_++] = static_cast<std::uint8_t>(kScanCodeMarker | modifiers_);
  }
  bytes_[count_++] = code;
  const std::string label = KeyLabel(shown, code);
  result_text_ += code <= 0x20 ? "[" + label + "]" : label;
  return KeyAddResult::kAdded;
}

void KeyComposition::ToggleModifier(ModifierFlags modifier) {
  if (!keyboard_) return;  // characters carry no modifiers
  modifiers_ ^= (modifier & kAllModifiers);
  // Once a modifier has been offered the limit stays at whole pairs, even
  // after the box is switched off again.
  limit_ = field_size_ & ~std::size_t{1};
}

void KeyComposition::SetKeyType(KeyType type) {
  key_type_ = type;
  Clear();
  Layout();
}

void KeyComposition::Clear() {
  bytes_.fill(0);
  count_ = 0;
  result_text_.clear();
}

KeyBuffer KeyComposition::StoredBytes() const {
  KeyBuffer stored{};
  std::copy_n(bytes_.begin(), std::min(count_, field_size_), stored.begin());
  return stored;
}

}  // namespace k470
