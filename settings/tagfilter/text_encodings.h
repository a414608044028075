// The text encodings of the EPC filter masks: how a pattern typed in the Single
// TAG Mode dialog becomes the bits the reader compares, and back. Each works on
// one 32-byte mask, first bit in bit 7 of byte 0, and never looks past it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/image_layout.h"

namespace k470 {

inline constexpr std::size_t kFilterMaskSize = kFilterPatternSize;
inline constexpr unsigned kFilterMaskBits = 8 * kFilterMaskSize;
using FilterMask = std::array<std::uint8_t, kFilterMaskSize>;

// Most characters each encoding fits into one mask.
inline constexpr std::size_t kMaxCharacters8 = kFilterMaskSize;
inline constexpr std::size_t kMaxCharacters7 = 36;  // 36 x 7 bits and 4 bits in front
inline constexpr std::size_t kMaxCharacters6 = kFilterMaskBits / 6;

// The text as a decimal number (characters unchecked: each adds its code - 48,
// wrapping modulo 2^64), its low `bits` bits (at most 64) big-endian.
FilterMask EncodeDecimal(std::string_view text, unsigned bits);
// The first `bits` bits (at most 64) as a number in decimal without leading
// zeros; zero gives an empty text.
std::string DecodeDecimal(const FilterMask& mask, unsigned bits);

// One byte per character, the first 32 characters.
FilterMask EncodeCharacters8(std::string_view text);
// The mask up to its first 0 byte.
std::string DecodeCharacters8(const FilterMask& mask);

// Six bits per character in `bits` / 6 groups: letters of either case 1-26,
// anything else the low six bits of its code. A longer text keeps its last
// characters. A shorter one, as a CAGE code of five in the six-character field,
// is led by space groups, as the tag itself carries it; a zero group would end
// the text on decoding. An empty text leaves the mask zero.
FilterMask EncodeCharacters6(std::string_view text, unsigned bits);
// The groups of the first `bits` bits up to the first 0 group: 1-26 are the
// letters, every other value the character with that code.
std::string DecodeCharacters6(const FilterMask& mask, unsigned bits);

// Seven bits per character, led by 1 to 8 zero bits to end on a byte border.
// Only the first 36 characters fit.
FilterMask EncodeCharacters7(std::string_view text);
// The 7-bit groups up to the mask's last non-zero byte, counted from that end.
// Zero groups are padding (no character encodes as 0), so this gives back every
// text the encoding wrote, whatever its length.
std::string DecodeCharacters7(const FilterMask& mask);

}  // namespace k470
