#include "settings/tagfilter/text_encodings.h"

#include <algorithm>

namespace k470 {
namespace {

// Writes the low `count` bits of `value`, most significant first, from bit
// `pos` of the mask on; bits past the mask are dropped.
void PutBits(FilterMask& mask, unsigned& pos, std::uint64_t value, unsigned count) {
  for (unsigned i = count; i-- > 0; ++pos) {
    if (pos >= kFilterMaskBits) continue;
    if ((value >> i) & 1u) mask[pos / 8] |= static_cast<std::uint8_t>(0x80u >> (pos % 8));
  }
}

std::uint64_t GetBits(const FilterMask& mask, unsigned pos, unsigned count) {
  std::uint64_t value = 0;
  for (unsigned i = 0; i < count; ++i, ++pos) {
    const unsigned bit = pos < kFilterMaskBits ? (mask[pos / 8] >> (7 - pos % 8)) & 1u : 0;
    value = (value << 1) | bit;
  }
  return value;
}

std::uint8_t SixBitCode(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c - 'A' + 1);
  if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 'a' + 1);
  return static_cast<std::uint8_t>(static_cast<unsigned char>(c) & 0x3Fu);
}

constexpr std::uint8_t kSixBitSpace = 0x20;

}  // namespace

FilterMask EncodeDecimal(std::string_view text, unsigned bits) {
  std::uint64_t value = 0;
  for (const char c : text) {
    value = value * 10 + (static_cast<std::uint64_t>(static_cast<unsigned char>(c)) - 48);
  }
  FilterMask mask{};
  unsigned pos = 0;
  PutBits(mask, pos, value, std::min(bits, 64u));
  return mask;
}

std::string DecodeDecimal(const FilterMask& mask, unsigned bits) {
  const std::uint64_t value = GetBits(mask, 0, std::min(bits, 64u));
  return value == 0 ? std::string() : std::to_string(value);
}

FilterMask EncodeCharacters8(std::string_view text) {
  FilterMask mask{};
  const std::size_t n = std::min(text.size(), kMaxCharacters8);
  for (std::size_t i = 0; i < n; ++i) mask[i] = static_cast<std::uint8_t>(text[i]);
  return mask;
}

std::string DecodeCharacters8(const FilterMask& mask) {
  const auto end = std::find(mask.begin(), mask.end(), 0);
  return std::string(mask.begin(), end);
}

FilterMask EncodeCharacters6(std::string_view text, unsigned bits) {
  FilterMask mask{};
  if (text.empty()) return mask;
  const std::size_t groups = std::min(bits, kFilterMaskBits) / 6;
  if (text.size() > groups) text.remove_prefix(text.size() - groups);
  unsigned pos = 0;
  for (std::size_t i = text.size(); i < groups; ++i) PutBits(mask, pos, kSixBitSpace, 6);
  for (const char c : text) PutBits(mask, pos, SixBitCode(c), 6);
  return mask;
}

std::string DecodeCharacters6(const FilterMask& mask, unsigned bits) {
  const unsigned groups = std::min(bits, kFilterMaskBits) / 6;
  std::string text;
  for (unsigned g = 0; g < groups; ++g) {
    const auto value = static_cast<char>(GetBits(mask, 6 * g, 6));
    if (value == 0) break;
    text.push_back(value <= 26 ? static_cast<char>('A' + value - 1) : value);
  }
  return text;
}

FilterMask EncodeCharacters7(std::string_view text) {
  text = text.substr(0, std::min(text.size(), kMaxCharacters7));
  const auto data_bits = static_cast<unsigned>(7 * text.size());
  FilterMask mask{};
  unsigned pos = 8 * (data_bits / 8) + 8 - data_bits;  // the zero bits in front
  for (const char c : text) PutBits(mask, pos, static_cast<unsigned char>(c) & 0x7Fu, 7);
  return mask;
}

std::string DecodeCharacters7(const FilterMask& mask) {
  const auto last = std::find_if(mask.rbegin(), mask.rend(), [](std::uint8_t b) { return b != 0; });
  const auto total_bits = static_cast<unsigned>(8 * (mask.rend() - last));
  const unsigned groups = total_bits / 7;
  const unsigned first = total_bits - 7 * groups;
  std::string text;
  for (unsigned g = 0; g < groups; ++g) {
    const auto value = static_cast<char>(GetBits(mask, first + 7 * g, 7));
    if (value != 0) text.push_back(value);
  }
  return text;
}

}  // namespace k470
