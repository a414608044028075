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
  image.SetField(kShutdownTimeout, in(0, 254));
  image.SetField(kPowerSavingTimeout, in(0, 254));
  image.SetField(kLedDuration, in(1, 254));
  image.SetField(kVibratorDuration, in(1, 254));
  image.SetField(kLowBatteryAlert, pick(2));  // the alert is 0 or 1
  // Interface code 0, 5 or 6; the M912 byte the VCOM marker or an M912 keyboard type.
  image.SetField(kInterfaceCode, std::array{0u, 5u, 6u}[pick(3)]);
  image.SetField(kHidKeyboardType, in(0x40, 0x4D));
  image.SetField(kM912KeyboardType, pick(2) ? 0x60 : in(0x61, 0x6E));
  image.SetField(kInterCharacterDelay, in(0, 254));
  for (const ImageField list : {kCapsLockType, kDigitsPosition, kCapsLockState}) {
    image.SetField(list, pick(3));
  }
  image.SetField(kKeyboardLayout, pick(3));
  for (int i = 0; i < kEventStringCount; ++i) {
    std::string text(pick(11), '\0');
    for (char& c : text) c = static_cast<char>(0x20 + pick(95));
    if (!text.empty() && pick(3) == 0) text.back() = '\r';
    image.Fill(EventStringArea(i), 0);
    image.SetText(EventStringArea(i), text);
    image.SetField(EventActionField(i), pick(9));
  }
  image.SetField(kRfidPower, pick(4));
  return image;
}

}  // namespace k470::testing
