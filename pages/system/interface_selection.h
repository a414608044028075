// Which host interface the settings image describes. The image holds an
// interface code (byte 16, bits 3-5) and a marker byte (18); the System page
// and the main window's Read Settings derive the selected interface from them.
#pragma once

#include "core/app_state.h"

namespace k470 {

inline constexpr std::size_t kInterfaceByte = 16;
inline constexpr std::size_t kVcomMarkerByte = 18;
inline constexpr std::uint8_t kVcomMarker = 0x60;

// Code 0 gives Bluetooth SPP Slave, 5 Bluetooth HID, 6 M912 VCOM when byte 18
// holds the VCOM marker and M912 HID otherwise; any other code leaves the
// selected interface as it was.
void DeriveSelectedInterface(AppState& state);

}  // namespace k470
