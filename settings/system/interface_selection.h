// Which host interface the settings image describes. The image holds an
// interface code and a marker byte (kInterfaceCode, kM912KeyboardType); the
// System page and the main window's Read Settings derive the selected
// interface from them.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/app_state.h"
#include "core/translatable.h"

namespace k470 {

// What kM912KeyboardType holds for M912 VCOM.
inline constexpr std::uint8_t kVcomMarker = 0x60;

// Code 0 gives Bluetooth SPP Slave, 5 Bluetooth HID, 6 M912 VCOM when byte 18
// holds the VCOM marker and M912 HID otherwise; any other code leaves the
// selected interface as it was.
void DeriveSelectedInterface(AppState& state);

// The Interface radio buttons' texts, by SelectedInterface.
inline constexpr std::array<std::string_view, 4> kInterfaceNames = {
    K470_TR_NOOP("k470", "Bluetooth SPP Slave"), K470_TR_NOOP("k470", "Bluetooth HID"),
    K470_TR_NOOP("k470", "M912 VCOM"), K470_TR_NOOP("k470", "M912 HID")};

// The interface the image selects; none for an interface code of no interface.
std::optional<SelectedInterface> StoredInterface(const SettingsImage& image);

// Bluetooth HID and M912 HID send keystrokes; the other two send characters.
constexpr bool IsKeyboardInterface(SelectedInterface interface) {
  return interface == SelectedInterface::kBluetoothHid || interface == SelectedInterface::kM912Hid;
}

// Writes the interface code of `interface` into bits 3-5 of byte 16, and the
// VCOM marker into byte 18 for M912 VCOM; the other bits of byte 16 keep.
void EncodeSelectedInterface(SelectedInterface interface, SettingsImage& image);

// M912 keyboard types are 0x61-0x6E in byte 18.
inline constexpr std::uint8_t kFirstM912KeyboardType = 0x61;
inline constexpr std::uint8_t kLastM912KeyboardType = 0x6E;

// Choosing M912 HID: a byte 18 that holds no M912 keyboard type (the VCOM
// marker, for one) becomes the first type, so the image reads as M912 HID.
void EnsureM912KeyboardType(SettingsImage& image);

}  // namespace k470
