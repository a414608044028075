// Key sequences: the bytes of a prefix, suffix or padding field that the
// reader sends as keystrokes, and the display text those fields show.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/app_state.h"
#include "settings/system/interface_selection.h"

namespace k470 {

inline constexpr std::size_t kKeyFieldSize = 8;      // prefixes and suffixes
inline constexpr std::size_t kPaddingFieldSize = 1;  // the counter's left padding character

// A page's copy of one key-sequence field; 0 bytes after the sequence.
using KeyBuffer = std::array<std::uint8_t, kKeyFieldSize>;

// Over a serial interface a byte is an ASCII character; over a keyboard
// interface it is a key code with an optional modifier byte before it or, when
// the first byte is the scan-code marker, a series of marker and scan-code pairs.
inline constexpr std::uint8_t kScanCodeMarker = 0xC0;
// Bytes from 0xC1 on are modifier bytes: 0xC0 plus the modifiers held.
inline constexpr std::uint8_t kFirstModifierByte = 0xC1;

// Four keys with all five modifiers and the longest bracketed key name: no
// eight-byte sequence describes longer than this.
inline constexpr std::size_t kMaxKeySequenceText = 220;

enum class KeyType { kNormalKey, kScanCode };

// Modifier bits as a modifier byte carries them.
using ModifierFlags = std::uint8_t;
inline constexpr ModifierFlags kShift = 0x01;
inline constexpr ModifierFlags kLeftCtrl = 0x02;
inline constexpr ModifierFlags kLeftAlt = 0x04;
inline constexpr ModifierFlags kRightCtrl = 0x08;
inline constexpr ModifierFlags kRightAlt = 0x10;
inline constexpr ModifierFlags kAllModifiers = 0x1F;

// "[Shift]", "[LeftCtrl]", "[LeftAlt]", "[RightCtrl]", "[RightAlt]" for the
// flags set, in that order.
std::string ModifierNames(ModifierFlags modifiers);

struct KeySequenceDescription {
  std::string text;                        // what the field shows
  std::size_t byte_count = 0;              // bytes that make up the sequence shown
  KeyType key_type = KeyType::kNormalKey;  // kScanCode when the sequence is in scan-code form
  ModifierFlags modifiers = 0;             // every modifier met
};

// Describes the first `field_size` bytes of `bytes` (fewer when the span is
// shorter) as the selected interface reads them. A byte that no table of the
// interface labels shows as its hexadecimal value, "[0x9A]".
KeySequenceDescription DescribeKeySequence(std::span<const std::uint8_t> bytes,
                                           std::size_t field_size, SelectedInterface selected);

}  // namespace k470
