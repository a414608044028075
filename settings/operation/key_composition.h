// The key picker's work on one key-sequence field: the bytes composed so far,
// their result text, and whether one more key fits. The dialog only paints it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/app_state.h"
#include "core/translatable.h"
#include "settings/operation/key_labels.h"
#include "settings/operation/key_sequence.h"

namespace k470 {

inline constexpr char kTooManyCharactersMessage[] = K470_TR_NOOP("k470", "Too many characters !!!");

enum class KeyAddResult {
  kAdded,
  kTooManyCharacters,  // show kTooManyCharactersMessage; nothing was added
  kNotInGrid,          // the code has no cell in the grid shown; nothing was added
};

class KeyComposition {
 public:
  // Opens on a field's stored bytes (field_size of them, at most 8): the
  // composition starts as the sequence that the field shows, with the key type
  // and the modifiers found in it.
  KeyComposition(std::span<const std::uint8_t> field, std::size_t field_size,
                 SelectedInterface selected);

  KeyGrid grid() const;
  bool keyboard() const { return keyboard_; }
  KeyType key_type() const { return key_type_; }
  ModifierFlags modifiers() const { return modifiers_; }
  std::size_t field_size() const { return field_size_; }
  std::size_t byte_count() const { return count_; }
  std::size_t byte_limit() const { return limit_; }
  const std::string& result_text() const { return result_text_; }
  // The field's text when the picker opened; Cancel puts it back.
  const std::string& opening_text() const { return opening_text_; }

  // Bytes the next key takes: two with a modifier byte or as a scan code.
  std::size_t BytesPerKey() const;
  // False when the next key would not fit whole: a modified key is never
  // split from its modifier byte.
  bool CanAddKey() const;
  // Appends the key of a grid cell (code 16 * column + row).
  KeyAddResult AddKey(std::uint8_t code);

  // Modifier check boxes: the flag stays until switched off again.
  void ToggleModifier(ModifierFlags modifier);
  // "Scan Code" / "Normal Key": starts an empty composition; modifiers stay.
  void SetKeyType(KeyType type);
  // "Clear": empties the composition; key type, modifiers and limit stay.
  void Clear();

  // What OK writes into the field's key buffer: the composed bytes, then 0s.
  KeyBuffer StoredBytes() const;

 private:
  void Layout();

  std::size_t field_size_;
  bool keyboard_;
  KeyType key_type_ = KeyType::kNormalKey;
  ModifierFlags modifiers_ = 0;
  KeyBuffer bytes_{};
  std::size_t count_ = 0;
  std::size_t limit_ = 0;
  std::string result_text_;
  std::string opening_text_;
};

}  // namespace k470
