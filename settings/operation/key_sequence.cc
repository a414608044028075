#include "settings/operation/key_sequence.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "settings/operation/key_labels.h"

namespace k470 {
namespace {

constexpr std::array<std::string_view, 5> kModifierNames = {"[Shift]", "[LeftCtrl]", "[LeftAlt]",
                                                            "[RightCtrl]", "[RightAlt]"};

// Control keys are bracketed so that they cannot be mistaken for typed text;
// after modifiers every key is.
void AppendKey(std::string& text, KeyGrid grid, std::uint8_t code, bool always_bracketed) {
  if (!HasKeyLabel(grid, code)) {
    text.append("[0x").append(HexByte(code)).append("]");
  } else if (always_bracketed || code <= 0x20) {
    text.append("[").append(KeyLabel(grid, code)).append("]");
  } else {
    text += KeyLabel(grid, code);
  }
}

void AppendScanCode(std::string& text, std::uint8_t code) {
  text.append("[").append(HexByte(code)).append("]");
}

KeySequenceDescription DescribeSerial(std::span<const std::uint8_t> b) {
  KeySequenceDescription d;
  std::size_t i = 0;
  for (; i < b.size() && b[i] != 0; ++i) AppendKey(d.text, KeyGrid::kAscii, b[i], false);
  d.byte_count = i;
  return d;
}

// Pairs of marker and scan code; the marker bytes after the first are not
// looked at, and a scan code 0 ends the sequence unless it is the first.
KeySequenceDescription DescribeScanCodes(std::span<const std::uint8_t> b) {
  KeySequenceDescription d;
  d.key_type = KeyType::kScanCode;
  for (std::size_t p = 0; p + 1 < b.size(); p += 2) {
    if (b[p + 1] == 0 && p != 0) break;
    AppendScanCode(d.text, b[p + 1]);
    d.byte_count = p + 2;
  }
  return d;
}

KeySequenceDescription DescribeNormalKeys(std::span<const std::uint8_t> b) {
  KeySequenceDescription d;
  std::size_t i = 0;
  while (i < b.size() && b[i] != 0) {
    const std::uint8_t byte = b[i];
    if (byte >= kFirstModifierByte) {
      const ModifierFlags modifiers = byte & kAllModifiers;
      d.text += ModifierNames(modifiers);
      d.modifiers |= modifiers;
      ++i;  // a modifier byte counts even when its key is missing
      if (i == b.size() || b[i] == 0) break;
      AppendKey(d.text, KeyGrid::kNormalKey, b[i], true);
      ++i;
    } else if (byte == kScanCodeMarker) {
      // A lone scan-code pair inside key codes: shown, and nothing after it.
      // A marker without its scan code is not part of the sequence.
      if (i + 1 < b.size() && b[i + 1] != 0) {
        AppendScanCode(d.text, b[i + 1]);
        i += 2;
      }
      break;
    } else {
      AppendKey(d.text, KeyGrid::kNormalKey, byte, false);
      ++i;
    }
  }
  d.byte_count = i;
  return d;
}

}  // namespace

std::string ModifierNames(ModifierFlags modifiers) {
  std::string names;
  for (std::size_t bit = 0; bit < kModifierNames.size(); ++bit) {
    if (modifiers & (1u << bit)) names += kModifierNames[bit];
  }
  return names;
}

KeySequenceDescription DescribeKeySequence(std::span<const std::uint8_t> bytes,
                                           std::size_t field_size, SelectedInterface selected) {
  const auto field = bytes.first(std::min(field_size, bytes.size()));
  if (!IsKeyboardInterface(selected)) return DescribeSerial(field);
  if (!field.empty() && field[0] == kScanCodeMarker) return DescribeScanCodes(field);
  return DescribeNormalKeys(field);
}

}  // namespace k470
