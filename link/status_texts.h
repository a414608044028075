// The texts of the main window's status bar. The driver and the utility
// dialogs write them as well as the window itself.
#pragma once

#include "core/translatable.h"

namespace k470 {

inline constexpr char kStatusPortOpened[] = K470_TR_NOOP("k470", "USB VCOM is opened...");
inline constexpr char kStatusPortClosed[] = K470_TR_NOOP("k470", "USB VCOM is closed...");
inline constexpr char kStatusConnecting[] = K470_TR_NOOP("k470", "Connecting to K470......");
inline constexpr char kStatusConnected[] = K470_TR_NOOP("k470", "Connected!");
inline constexpr char kStatusDisconnected[] = K470_TR_NOOP("k470", "Disconnected!");

}  // namespace k470
