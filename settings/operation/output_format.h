// The Counter, Timestamp and EPC Tag output formats as values: the six prefix
// and suffix key buffers, the counter's padding and resets, the timestamp lists.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/settings_image.h"
#include "settings/operation/key_sequence.h"
#include "settings/operation/operation_lists.h"
#include "settings/operation/timestamp_format.h"

namespace k470 {

inline constexpr std::uint8_t kBlankPadding = 0x20;
inline constexpr std::uint8_t kZeroPadding = 0x30;

// The seven key-sequence fields the key picker edits: the page's edit id,
// where the bytes live and how many there are.
struct KeySequenceField {
  std::string_view edit_id;
  std::size_t offset;
  std::size_t size;
};
inline constexpr KeySequenceField kCounterPrefixField{"1088", kCounterPrefix.offset, kKeyFieldSize};
inline constexpr KeySequenceField kCounterSuffixField{"1089", kCounterSuffix.offset, kKeyFieldSize};
inline constexpr KeySequenceField kLeftPaddingField{"1090", kLeftPadding.byte, kPaddingFieldSize};
inline constexpr KeySequenceField kTimestampPrefixField{"1091", kTimestampPrefix.offset,
                                                        kKeyFieldSize};
inline constexpr KeySequenceField kTimestampSuffixField{"1092", kTimestampSuffix.offset,
                                                        kKeyFieldSize};
inline constexpr KeySequenceField kEpcPrefixField{"1093", kEpcPrefix.offset, kKeyFieldSize};
inline constexpr KeySequenceField kEpcSuffixField{"1094", kEpcSuffix.offset, kKeyFieldSize};

struct OutputFormat {
  KeyBuffer counter_prefix{};
  KeyBuffer counter_suffix{};
  KeyBuffer timestamp_prefix{};
  KeyBuffer timestamp_suffix{};
  KeyBuffer epc_prefix{};
  KeyBuffer epc_suffix{};
  int left_padding = 0;  // Left Padding Character code: 0 "[space]", 1 "0"
  bool reset_on_uhf_power_on = false;
  bool reset_on_new_connection = false;
  TimestampLists timestamp;

  friend bool operator==(const OutputFormat&, const OutputFormat&) = default;
};

// `shown_date` is the code the Date Format list shows before the load
// (kNoCode when the page is new); see DecomposeTimestamp.
OutputFormat LoadOutputFormat(const SettingsImage& image, int shown_date);

// Key buffers, padding (kNoCode keeps the stored byte), reset flags, then
// the composed timestamp with its constant bits 21-22.
void StoreOutputFormat(const OutputFormat& format, SettingsImage& image);

KeyBuffer ReadKeyBuffer(const SettingsImage& image, const KeySequenceField& field);
// Writes the field's `size` bytes of the buffer.
void WriteKeyBuffer(const KeyBuffer& buffer, const KeySequenceField& field, SettingsImage& image);

}  // namespace k470
