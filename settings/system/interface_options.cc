#include "settings/system/interface_options.h"

#include <algorithm>

#include "core/translatable.h"
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
  static constexpr ListEntry kHid[] = {{K470_TR_NOOP("k470", "HID PACT US"), 0x40},
                                       {K470_TR_NOOP("k470", "HID PACT French"), 0x41},
                                       {K470_TR_NOOP("k470", "HID PACT German"), 0x42},
                                       {K470_TR_NOOP("k470", "HID PACT Italy"), 0x43},
                                       {K470_TR_NOOP("k470", "HID PACT Swedish"), 0x44},
                                       {K470_TR_NOOP("k470", "HID PACT Norwegian"), 0x45},
                                       {K470_TR_NOOP("k470", "HID PACT UK"), 0x46},
                                       {K470_TR_NOOP("k470", "HID PACT Belgium"), 0x47},
                                       {K470_TR_NOOP("k470", "HID PACT Spanish"), 0x48},
                                       {K470_TR_NOOP("k470", "HID PACT Portuguese"), 0x49},
                                       {K470_TR_NOOP("k470", "HID PS55A01 2 Japanese"), 0x4A},
                                       {K470_TR_NOOP("k470", "HID User Defined KBD"), 0x4B},
                                       {K470_TR_NOOP("k470", "HID PCAT Trukish"), 0x4C},
                                       {K470_TR_NOOP("k470", "HID PACT Hungarian"), 0x4D}};
  static constexpr ListEntry kM912[] = {{K470_TR_NOOP("k470", "M912 PACT US"), 0x61},
                                        {K470_TR_NOOP("k470", "M912 PACT French"), 0x62},
                                        {K470_TR_NOOP("k470", "M912 PACT German"), 0x63},
                                        {K470_TR_NOOP("k470", "M912 PACT Italy"), 0x64},
                                        {K470_TR_NOOP("k470", "M912 PACT Swedish"), 0x65},
                                        {K470_TR_NOOP("k470", "M912 PACT Norwegian"), 0x66},
                                        {K470_TR_NOOP("k470", "M912 PACT UK"), 0x67},
                                        {K470_TR_NOOP("k470", "M912 PACT Belgium"), 0x68},
                                        {K470_TR_NOOP("k470", "M912 PACT Spanish"), 0x69},
                                        {K470_TR_NOOP("k470", "M912 PACT Portuguese"), 0x6A},
                                        {K470_TR_NOOP("k470", "M912 PS55A01 2 Japanese"), 0x6B},
                                        {K470_TR_NOOP("k470", "M912 User Defined KBD"), 0x6C},
                                        {K470_TR_NOOP("k470", "M912 PCAT Trukish"), 0x6D},
                                        {K470_TR_NOOP("k470", "M912 PACT Hungarian"), 0x6E}};
  if (interface == SelectedInterface::kM912Hid) return kM912;
  return kHid;
}

std::span<const ListEntry> CapsLockStateList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Off"), 0},
                                        {K470_TR_NOOP("k470", "On"), 1},
                                        {K470_TR_NOOP("k470", "Auto"), 2}};
  return kList;
}
std::span<const ListEntry> CapsLockTypeList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Normal"), 0},
                                        {K470_TR_NOOP("k470", "Caps Lock"), 1},
                                        {K470_TR_NOOP("k470", "Shift Lock"), 2}};
  return kList;
}
std::span<const ListEntry> TransmitModeList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Batch Processing"), 0},
                                        {K470_TR_NOOP("k470", "By Character"), 1}};
  return kList;
}
std::span<const ListEntry> KeyboardLayoutList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Normal"), 0},
                                        {K470_TR_NOOP("k470", "AZERTY"), 1},
                                        {K470_TR_NOOP("k470", "QWERTZ"), 2}};
  return kList;
}
std::span<const ListEntry> AlphabetsList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Case Sensitive"), 0},
                                        {K470_TR_NOOP("k470", "Ignore Case"), 1}};
  return kList;
}
std::span<const ListEntry> DigitsTransmissionList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Alpha Numeric Keypad"), 0},
                                        {K470_TR_NOOP("k470", "Numeric Keypad"), 1}};
  return kList;
}
std::span<const ListEntry> DigitsPositionList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Normal"), 0},
                                        {K470_TR_NOOP("k470", "Lower Row"), 1},
                                        {K470_TR_NOOP("k470", "Upper Row"), 2}};
  return kList;
}

}  // namespace k470
