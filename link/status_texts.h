// The texts of the main window's status bar. The driver and the utility
// dialogs write them as well as the window itself.
#pragma once

namespace k470 {

inline constexpr char kStatusPortOpened[] = "USB VCOM is opened...";
inline constexpr char kStatusPortClosed[] = "USB VCOM is closed...";
inline constexpr char kStatusConnecting[] = "Connecting to K470......";
inline constexpr char kStatusConnected[] = "Connected!";
inline constexpr char kStatusDisconnected[] = "Disconnected!";

}  // namespace k470
