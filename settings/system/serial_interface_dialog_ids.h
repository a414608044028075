// Control ids of the serial interface dialog, the "Advanced" of Bluetooth SPP
// Slave and M912 VCOM: each control carries its id as its objectName.
#pragma once

namespace k470::serial_interface_dialog_ids {

inline constexpr int kAuthentication = 1123;
inline constexpr int kDiscoverable = 1124;
inline constexpr int kBtPowerSaving = 1125;
inline constexpr int kSspMode = 1128;
// The PIN code, or the M912 S/N for M912 VCOM, and its label.
inline constexpr int kPinOrSerialNumberLabel = 1126;
inline constexpr int kPinOrSerialNumber = 1127;

}  // namespace k470::serial_interface_dialog_ids
