#include "settings/system/interface_options.h"

#include <algorithm>

#include "settings/system/interface_selection.h"

namespace k470 {
namespace {

bool IsM912(SelectedInterface interface) {
  return interface == SelectedInterface::kM912Vcom || interface == SelectedInterface::kM912Hid;
}

// The text up to its first 0 byte followed by one 0 byte when it is shorter
// than the field; what followed the old 0 byte is left as it was.
void StoreTerminatedText(SettingsImage& image, ImageArea area, const std::string& text) {
  const std::size_t length = std::min({text.size(), area.length, text.find('\0')});
  for (std::size_t i = 0; i < length; ++i) {
    image.SetByte(area.offset + i, static_cast<std::uint8_t>(text[i]));
  }
  if (length < area.length) image.SetByte(area.offset + length, 0);
}

void StoreBluetoothBoxes(const InterfaceFields& f, SettingsImage& image) {
  image.SetField(kBtPowerSaving, f.power_saving);
  image.SetField(kAuthentication, f.authentication);
  image.SetField(kDiscoverable, f.discoverable);
}

void StoreText(SelectedInterface interface, const InterfaceFields& f, SettingsImage& image) {
  if (IsM912(interface)) {
    StoreTerminatedText(image, kM912SerialNumber, f.text);
  } else {
    StoreTerminatedText(image, kPinCode, f.text);
  }
}

}  // namespace

InterfaceFields OpenInterfaceFields(SelectedInterface interface, SettingsImage& image) {
  if (interface == SelectedInterface::kM912Hid &&
      image.Field(kM912KeyboardType) < kFirstM912KeyboardType) {
    image.SetField(kM912KeyboardType, kFirstM912KeyboardType);
  }
  InterfaceFields f;
  f.keyboard_type =
      static_cast<int>(interface == SelectedInterface::kM912Hid ? image.Field(kM912KeyboardType)
                                                                : image.Field(kHidKeyboardType));
  f.caps_lock_state = static_cast<int>(image.Field(kCapsLockState));
  f.caps_lock_type = static_cast<int>(image.Field(kCapsLockType));
  f.transmit_mode = static_cast<int>(image.Field(kTransmitMode));
  f.keyboard_layout = static_cast<int>(image.Field(kKeyboardLayout));
  f.alphabets = static_cast<int>(image.Field(kAlphabets));
  f.digits_transmission = static_cast<int>(image.Field(kDigitsTransmission));
  f.digits_position = static_cast<int>(image.Field(kDigitsPosition));
  f.delay = image.Field(kInterCharacterDelay);
  f.kanji = image.Field(kKanji) != 0;
  f.power_saving = image.Field(kBtPowerSaving) != 0;
  f.authentication = image.Field(kAuthentication) != 0;
  f.discoverable = image.Field(kDiscoverable) != 0;
  f.ssp_mode = image.Field(kSspMode) != 0;
  f.text = image.Text(IsM912(interface) ? kM912SerialNumber : kPinCode);
  return f;
}

void StoreKeyboardInterface(SelectedInterface interface, const InterfaceFields& f,
                            SettingsImage& image) {
  if (interface == SelectedInterface::kM912Hid) {
    image.SetField(kM912KeyboardType, static_cast<std::uint8_t>(f.keyboard_type));
  } else {
    image.SetField(kSspMode, f.ssp_mode);
    image.SetField(kHidKeyboardType, static_cast<std::uint8_t>(f.keyboard_type));
  }
  image.SetField(kCapsLockState, static_cast<std::uint32_t>(f.caps_lock_state));
  image.SetField(kCapsLockType, static_cast<std::uint32_t>(f.caps_lock_type));
  image.SetField(kTransmitMode, static_cast<std::uint32_t>(f.transmit_mode));
  image.SetField(kKeyboardLayout, static_cast<std::uint32_t>(f.keyboard_layout));
  image.SetField(kAlphabets, static_cast<std::uint32_t>(f.alphabets));
  image.SetField(kDigitsTransmission, static_cast<std::uint32_t>(f.digits_transmission));
  image.SetField(kDigitsPosition, static_cast<std::uint32_t>(f.digits_position));
  image.SetField(kInterCharacterDelay, static_cast<std::uint8_t>(f.delay));
  image.SetField(kKanji, f.kanji);
  image.SetField(kDiscoverable, f.discoverable);
  image.SetField(kBtPowerSaving, f.power_saving);
  StoreText(interface, f, image);
  if (interface == SelectedInterface::kBluetoothHid)
    image.SetField(kAuthentication, f.authentication);
}

void StoreSerialInterface(SelectedInterface interface, const InterfaceFields& f,
                          SettingsImage& image) {
  StoreBluetoothBoxes(f, image);
  if (interface == SelectedInterface::kM912Vcom) {
    StoreText(interface, f, image);
    image.SetField(kM912KeyboardType, kVcomMarker);
  } else {
    image.SetField(kSspMode, f.ssp_mode);
    StoreText(interface, f, image);
  }
}

std::span<const ListEntry> KeyboardTypeList(SelectedInterface interface) {
  static constexpr ListEntry kHid[] = {{"HID PACT US", 0x40},
                                       {"HID PACT French", 0x41},
                                       {"HID PACT German", 0x42},
                                       {"HID PACT Italy", 0x43},
                                       {"HID PACT Swedish", 0x44},
                                       {"HID PACT Norwegian", 0x45},
                                       {"HID PACT UK", 0x46},
                                       {"HID PACT Belgium", 0x47},
                                       {"HID PACT Spanish", 0x48},
                                       {"HID PACT Portuguese", 0x49},
                                       {"HID PS55A01 2 Japanese", 0x4A},
                                       {"HID User Defined KBD", 0x4B},
                                       {"HID PCAT Trukish", 0x4C},
                                       {"HID PACT Hungarian", 0x4D}};
  static constexpr ListEntry kM912[] = {{"M912 PACT US", 0x61},
                                        {"M912 PACT French", 0x62},
                                        {"M912 PACT German", 0x63},
                                        {"M912 PACT Italy", 0x64},
                                        {"M912 PACT Swedish", 0x65},
                                        {"M912 PACT Norwegian", 0x66},
                                        {"M912 PACT UK", 0x67},
                                        {"M912 PACT Belgium", 0x68},
                                        {"M912 PACT Spanish", 0x69},
                                        {"M912 PACT Portuguese", 0x6A},
                                        {"M912 PS55A01 2 Japanese", 0x6B},
                                        {"M912 User Defined KBD", 0x6C},
                                        {"M912 PCAT Trukish", 0x6D},
                                        {"M912 PACT Hungarian", 0x6E}};
  if (interface == SelectedInterface::kM912Hid) return kM912;
  return kHid;
}

std::span<const ListEntry> CapsLockStateList() {
  static constexpr ListEntry kList[] = {{"Off", 0}, {"On", 1}, {"Auto", 2}};
  return kList;
}
std::span<const ListEntry> CapsLockTypeList() {
  static constexpr ListEntry kList[] = {{"Normal", 0}, {"Caps Lock", 1}, {"Shift Lock", 2}};
  return kList;
}
std::span<const ListEntry> TransmitModeList() {
  static constexpr ListEntry kList[] = {{"Batch Processing", 0}, {"By Character", 1}};
  return kList;
}
std::span<const ListEntry> KeyboardLayoutList() {
  static constexpr ListEntry kList[] = {{"Normal", 0}, {"AZERTY", 1}, {"QWERTZ", 2}};
  return kList;
}
std::span<const ListEntry> AlphabetsList() {
  static constexpr ListEntry kList[] = {{"Case Sensitive", 0}, {"Ignore Case", 1}};
  return kList;
}
std::span<const ListEntry> DigitsTransmissionList() {
  static constexpr ListEntry kList[] = {{"Alpha Numeric Keypad", 0}, {"Numeric Keypad", 1}};
  return kList;
}
std::span<const ListEntry> DigitsPositionList() {
  static constexpr ListEntry kList[] = {{"Normal", 0}, {"Lower Row", 1}, {"Upper Row", 2}};
  return kList;
}

}  // namespace k470
