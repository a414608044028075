// Settings images for the System settings tests: random bytes, with every
// field of the System page and the interface dialogs inside its valid
// range, so a load followed by a store may change only what a store always
// writes.
#pragma once

#include <array>
#include <random>
#include <string>

#include "core/settings_image.h"

namespace k470::testing {

inline SettingsImage SystemImageInRange(std::mt19937& random) {
  SettingsImage image;
  for (auto& byte : image.bytes()) byte = static_cast<std::uint8_t>(random());
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  const auto in = [&](unsigned low, unsigned high) { return low + pick(high - low + 1); };
  image.SetByte(0, static_cast<std::uint8_t>(in(0, 254)));
  image.SetByte(1, static_cast<std::uint8_t>(in(0, 254)));
  image.SetByte(3, static_cast<std::uint8_t>(in(1, 254)));
  image.SetByte(4, static_cast<std::uint8_t>(in(1, 254)));
  image.SetBits(5, 0, 2, pick(2));  // the alert is 0 or 1
  // Interface code 0, 5 or 6; byte 18 the VCOM marker or an M912 keyboard type.
  image.SetBits(16, 3, 3, std::array{0u, 5u, 6u}[pick(3)]);
  image.SetByte(17, static_cast<std::uint8_t>(in(0x40, 0x4D)));
  image.SetByte(18, static_cast<std::uint8_t>(pick(2) ? 0x60 : in(0x61, 0x6E)));
  image.SetByte(19, static_cast<std::uint8_t>(in(0, 254)));
  for (unsigned first : {1u, 3u, 6u}) image.SetBits(23, first, 2, pick(3));
  image.SetBits(24, 2, 2, pick(3));
  for (std::size_t i = 0; i < 6; ++i) {
    std::string text(pick(11), '\0');
    for (char& c : text) c = static_cast<char>(0x20 + pick(95));
    if (!text.empty() && pick(3) == 0) text.back() = '\r';
    image.Fill(390 + 10 * i, 10, 0);
    image.SetText(390 + 10 * i, 10, text);
    image.SetBits(450, 4 * static_cast<unsigned>(i), 4, pick(9));
  }
  image.SetByte(206, static_cast<std::uint8_t>(pick(4)));
  return image;
}

}  // namespace k470::testing
