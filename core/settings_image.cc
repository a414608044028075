#include "core/settings_image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace k470 {

void SettingsImage::CheckRange(std::size_t offset, std::size_t length) const {
  // Offsets are compile-time constants of the field tables; a wrong one is a
  // programming error and must not silently write somewhere else.
  if (offset > kImageSize || length > kImageSize - offset) {
    std::fprintf(stderr, "settings image: field %zu+%zu out of range\n", offset, length);
    std::abort();
  }
}

namespace {

void CheckBitField(unsigned first, unsigned count) {
  if (count == 0 || count > 32 || first >= 32) {
    std::fprintf(stderr, "settings image: bad bit field %u+%u\n", first, count);
    std::abort();
  }
}

std::uint64_t MaskOf(unsigned count) { return count == 32 ? 0xFFFFFFFFull : (1ull << count) - 1; }

}  // namespace

std::uint32_t SettingsImage::Bits(std::size_t offset, unsigned first, unsigned count) const {
  CheckBitField(first, count);
  const std::size_t nbytes = (first + count + 7) / 8;
  CheckRange(offset, nbytes);
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < nbytes; ++i) {
    word |= static_cast<std::uint64_t>(bytes_[offset + i]) << (8 * i);
  }
  return static_cast<std::uint32_t>((word >> first) & MaskOf(count));
}

void SettingsImage::SetBits(std::size_t offset, unsigned first, unsigned count,
                            std::uint32_t value) {
  CheckBitField(first, count);
  const std::size_t nbytes = (first + count + 7) / 8;
  CheckRange(offset, nbytes);
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < nbytes; ++i) {
    word |= static_cast<std::uint64_t>(bytes_[offset + i]) << (8 * i);
  }
  const std::uint64_t mask = MaskOf(count) << first;
  word = (word & ~mask) | ((static_cast<std::uint64_t>(value) << first) & mask);
  for (std::size_t i = 0; i < nbytes; ++i) {
    bytes_[offset + i] = static_cast<std::uint8_t>(word >> (8 * i));
  }
}

std::uint16_t SettingsImage::Word16(std::size_t offset) const {
  return static_cast<std::uint16_t>(Bits(offset, 0, 16));
}

void SettingsImage::SetWord16(std::size_t offset, std::uint16_t value) {
  SetBits(offset, 0, 16, value);
}

std::uint32_t SettingsImage::Word32(std::size_t offset) const { return Bits(offset, 0, 32); }

void SettingsImage::SetWord32(std::size_t offset, std::uint32_t value) {
  SetBits(offset, 0, 32, value);
}

std::string SettingsImage::Text(std::size_t offset, std::size_t length) const {
  CheckRange(offset, length);
  const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto end = std::find(begin, begin + static_cast<std::ptrdiff_t>(length), 0);
  return std::string(begin, end);
}

void SettingsImage::SetText(std::size_t offset, std::size_t length, std::string_view text) {
  CheckRange(offset, length);
  Fill(offset, length, 0);
  const std::size_t n = std::min(length, text.size());
  std::copy_n(text.begin(), n, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

void SettingsImage::Fill(std::size_t offset, std::size_t length, std::uint8_t value) {
  CheckRange(offset, length);
  std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), length, value);
}

}  // namespace k470
