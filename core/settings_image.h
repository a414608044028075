// The 640-byte settings image: every setting of the reader at a fixed offset.
// Pages, settings files and the reader transfer all work on these same bytes,
// so the accessors below never touch bits other than the ones they are given.
// Positions come from core/image_layout.h; one outside the image is a
// programming error and stops the program rather than write somewhere else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/image_layout.h"

namespace k470 {

class SettingsImage {
 public:
  using Bytes = std::array<std::uint8_t, kImageSize>;

  SettingsImage() { bytes_.fill(0); }

  std::uint8_t Byte(std::size_t offset) const {
    return static_cast<std::uint8_t>(Bits(offset, 0, 8));
  }
  void SetByte(std::size_t offset, std::uint8_t value) { SetBits(offset, 0, 8, value); }

  // A bit field of `count` bits starting at bit `first` of the little-endian
  // number that begins at `offset`; fields may run over byte borders
  // (bit 9 of the word at 8 is bit 1 of byte 9). count is 1..32.
  std::uint32_t Bits(std::size_t offset, unsigned first, unsigned count) const;
  // Read-modify-write: only the named bits change; value is masked to count bits.
  void SetBits(std::size_t offset, unsigned first, unsigned count, std::uint32_t value);

  bool Bit(std::size_t offset, unsigned bit) const { return Bits(offset, bit, 1) != 0; }
  void SetBit(std::size_t offset, unsigned bit, bool on) { SetBits(offset, bit, 1, on ? 1 : 0); }

  // A named field of the layout.
  std::uint32_t Field(ImageField field) const {
    return Bits(field.byte, field.first_bit, field.bits);
  }
  void SetField(ImageField field, std::uint32_t value) {
    SetBits(field.byte, field.first_bit, field.bits, value);
  }

  std::uint16_t Word16(std::size_t offset) const;
  void SetWord16(std::size_t offset, std::uint16_t value);
  std::uint32_t Word32(std::size_t offset) const;
  void SetWord32(std::size_t offset, std::uint32_t value);

  // Fixed-length text field of `length` bytes: the text ends at the first 0
  // byte, or fills the field when it has none.
  std::string Text(std::size_t offset, std::size_t length) const;
  // Writes at most `length` characters; a shorter text is followed by a 0 byte
  // and the rest of the field is cleared.
  void SetText(std::size_t offset, std::size_t length, std::string_view text);
  std::string Text(ImageArea area) const { return Text(area.offset, area.length); }
  void SetText(ImageArea area, std::string_view text) { SetText(area.offset, area.length, text); }

  // Fills `length` bytes starting at `offset` with `value`.
  void Fill(std::size_t offset, std::size_t length, std::uint8_t value);
  void Fill(ImageArea area, std::uint8_t value) { Fill(area.offset, area.length, value); }

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }
  std::span<const std::uint8_t> span() const { return bytes_; }

  friend bool operator==(const SettingsImage&, const SettingsImage&) = default;

 private:
  void CheckRange(std::size_t offset, std::size_t length) const;

  Bytes bytes_;
};

}  // namespace k470
