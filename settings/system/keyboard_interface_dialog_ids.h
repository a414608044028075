// Control ids of the keyboard interface dialog, the "Advanced" of Bluetooth
// HID and M912 HID: each control carries its id as its objectName.
#pragma once

namespace k470::keyboard_interface_dialog_ids {

inline constexpr int kKeyboardType = 1012;
inline constexpr int kCapsLockState = 1013;
inline constexpr int kCapsLockType = 1014;
inline constexpr int kCharacterTransmitMode = 1015;
inline constexpr int kKeyboardLayout = 1016;
inline constexpr int kAlphabetsTransmission = 1017;
inline constexpr int kDigitsTransmission = 1018;
inline constexpr int kDigitsPosition = 1019;
inline constexpr int kInterCharacterDelay = 1138;
inline constexpr int kInterCharacterDelaySpin = 1139;
inline constexpr int kKanji = 1140;  // hidden
inline constexpr int kDiscoverable = 1141;
inline constexpr int kBtPowerSaving = 1142;
inline constexpr int kAuthentication = 1145;
inline constexpr int kSspMode = 1146;
// The PIN code, or the M912 S/N for M912 HID, and its label.
inline constexpr int kPinOrSerialNumberLabel = 1143;
inline constexpr int kPinOrSerialNumber = 1144;

}  // namespace k470::keyboard_interface_dialog_ids
