// The settings of each host interface (bytes 16-55 of the image) as the two
// "Advanced" dialogs edit them: the keyboard interface dialog for Bluetooth
// HID and M912 HID, the serial interface dialog for Bluetooth SPP Slave and
// M912 VCOM. Both dialogs write the image themselves at their OK.
//
// List fields are kept as stored codes, so a code that has no list entry is
// stored again unchanged when the user picks nothing.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "core/app_state.h"
#include "core/list_entry.h"

namespace k470 {

inline constexpr std::uint8_t kFirstHidKeyboardType = 0x40;
// The PIN code as the edit takes it; a 16-character PIN read from a file is
// shown and kept as it is unless the user edits it.
inline constexpr std::size_t kPinCodeFieldSize = kPinCode.length;
inline constexpr std::size_t kMaxEditedPinLength = 15;
inline constexpr std::size_t kM912SerialFieldSize = kM912SerialNumber.length;
inline constexpr unsigned kMaxInterCharacterDelay = 254;  // ms

struct InterfaceFields {
  int keyboard_type = 0;        // byte 17 (Bluetooth HID) or byte 18 (M912 HID), as stored
  int caps_lock_state = 0;      // byte 23 bits 6-7: "Off", "On", "Auto"
  int caps_lock_type = 0;       // byte 23 bits 1-2: "Normal", "Caps Lock", "Shift Lock"
  int transmit_mode = 0;        // byte 24 bit 4: "Batch Processing", "By Character"
  int keyboard_layout = 0;      // byte 24 bits 2-3: "Normal", "AZERTY", "QWERTZ"
  int alphabets = 0;            // byte 23 bit 5: "Case Sensitive", "Ignore Case"
  int digits_transmission = 0;  // byte 23 bit 0: "Alpha Numeric Keypad", "Numeric Keypad"
  int digits_position = 0;      // byte 23 bits 3-4: "Normal", "Lower Row", "Upper Row"
  unsigned delay = 0;           // byte 19, inter-character delay in ms
  bool kanji = false;           // byte 24 bit 5, never shown
  bool power_saving = false;    // byte 16 bit 0
  bool authentication = false;  // byte 16 bit 1
  bool discoverable = false;    // byte 16 bit 2
  bool ssp_mode = false;        // byte 16 bit 6
  std::string text;             // PIN code (Bluetooth) or M912 S/N

  friend bool operator==(const InterfaceFields&, const InterfaceFields&) = default;
};

// What a dialog for `interface` shows. Opening the M912 HID dialog first
// turns a byte 18 below the first M912 keyboard type into that type, so the
// image changes even when the dialog is then cancelled.
InterfaceFields OpenInterfaceFields(SelectedInterface interface, SettingsImage& image);

// The dialogs' OK. The keyboard dialog stores the keyboard options and the
// Bluetooth boxes; the serial dialog only the boxes, and for M912 VCOM puts
// the VCOM marker into byte 18. A PIN is stored as the edit shows it (at most
// 16 characters, followed by a 0 byte when shorter); an S/N fills its nine
// bytes, with a 0 byte when shorter. Bytes after that 0 keep their values.
void StoreKeyboardInterface(SelectedInterface interface, const InterfaceFields& fields,
                            SettingsImage& image);
void StoreSerialInterface(SelectedInterface interface, const InterfaceFields& fields,
                          SettingsImage& image);

// The keyboard type list of `interface`: "HID PACT US" ... for Bluetooth HID
// (codes 0x40-0x4D of byte 17), "M912 PACT US" ... for M912 HID (codes
// 0x61-0x6E of byte 18).
std::span<const ListEntry> KeyboardTypeList(SelectedInterface interface);

// The other lists of the keyboard dialog, each entry's code its stored value.
std::span<const ListEntry> CapsLockStateList();       // "Off", "On", "Auto"
std::span<const ListEntry> CapsLockTypeList();        // "Normal", "Caps Lock", "Shift Lock"
std::span<const ListEntry> TransmitModeList();        // "Batch Processing", "By Character"
std::span<const ListEntry> KeyboardLayoutList();      // "Normal", "AZERTY", "QWERTZ"
std::span<const ListEntry> AlphabetsList();           // "Case Sensitive", "Ignore Case"
std::span<const ListEntry> DigitsTransmissionList();  // "Alpha Numeric Keypad", "Numeric Keypad"
std::span<const ListEntry> DigitsPositionList();      // "Normal", "Lower Row", "Upper Row"

}  // namespace k470
