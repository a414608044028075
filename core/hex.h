// Hex digits as the reader's block lines and replies carry the settings:
// two uppercase digits a byte, high digit first; either case is read.
#pragma once

#include <cstdint>
#include <string>

namespace k470 {

inline void AppendHexByte(std::string& out, std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.push_back(kDigits[byte >> 4]);
  out.push_back(kDigits[byte & 0x0F]);
}

// 0-15 for a hex digit of either case, -1 for any other character.
inline int HexDigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace k470
