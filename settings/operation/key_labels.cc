#include "settings/operation/key_labels.h"

#include <array>

namespace k470 {
namespace {

constexpr std::array<std::string_view, 0x20> kAsciiControlLabels = {
    "",    "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

constexpr std::array<std::string_view, 0x20> kNormalKeyControlLabels = {
    "",      "Insert", "Delete", "Home", "End", "Up",  "Down", "Left", "BS", "HT", "LF",
    "Right", "PgUp",   "Enter",  "PgDn", "F1",  "F2",  "F3",   "F4",   "F5", "F6", "F7",
    "F8",    "F9",     "F10",    "F11",  "F12", "ESC", "Exec", "Send", "",   ""};

constexpr char kHexDigits[] = "0123456789ABCDEF";

// 0x20-0x7E are shared by both character tables.
std::string PrintableLabel(std::uint8_t code) {
  return code == 0x20 ? std::string("Space") : std::string(1, static_cast<char>(code));
}

std::string NormalKeyLabel(std::uint8_t code) {
  if (code < 0x20) return std::string(kNormalKeyControlLabels[code]);
  if (code < 0x7F) return PrintableLabel(code);
  if (code == 0x7F) return "Delay";
  if (code <= 0x89) return std::string(1, static_cast<char>('0' + (code - 0x80))) + "*";
  if (code == 0x8F) return "Enter*";
  return "";  // 0x8A-0x8E are blank keys; 0x90 and up are not keys
}

}  // namespace

int KeyGridColumns(KeyGrid grid) {
  switch (grid) {
    case KeyGrid::kAscii:
      return 8;
    case KeyGrid::kNormalKey:
      return 9;
    case KeyGrid::kScanCode:
      return 16;
  }
  return 0;
}

int KeyGridCodeCount(KeyGrid grid) { return KeyGridColumns(grid) * kKeyGridRows; }

std::string HexByte(std::uint8_t code) { return {kHexDigits[code >> 4], kHexDigits[code & 0x0F]}; }

std::string KeyGridColumnHeader(int column) {
  return HexByte(static_cast<std::uint8_t>((column & 0x0F) << 4));
}

std::string KeyGridRowHeader(int row) { return HexByte(static_cast<std::uint8_t>(row & 0x0F)); }

bool HasKeyLabel(KeyGrid grid, std::uint8_t code) { return code < KeyGridCodeCount(grid); }

std::string KeyLabel(KeyGrid grid, std::uint8_t code) {
  if (!HasKeyLabel(grid, code)) return "";
  switch (grid) {
    case KeyGrid::kAscii:
      if (code < 0x20) return std::string(kAsciiControlLabels[code]);
      return code == 0x7F ? std::string("DEL") : PrintableLabel(code);
    case KeyGrid::kNormalKey:
      return NormalKeyLabel(code);
    case KeyGrid::kScanCode:
      return HexByte(code);
  }
  return "";
}

}  // namespace k470
