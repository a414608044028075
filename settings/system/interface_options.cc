#include "settings/system/interface_options.h"

#include <algorithm>

#include "settings/system/interface_selection.h"

namespace k470 {
namespace {

constexpr std::size_t kBluetoothByte = 16;  // bit 0 power saving, 1 auth., 2 discoverable, 6 SSP
constexpr std::size_t kHidKeyboardTypeByte = 17;
constexpr std::size_t kDelayByte = 19;
constexpr std::size_t kKeyboardByte = 23;
constexpr std::size_t kLayoutByte = 24;
constexpr std::size_t kPinCodeOffset = 28;
constexpr std::size_t kM912SerialOffset = 47;

bool IsM912(SelectedInterface interface) {
  return interface == SelectedInterface::kM912Vcom || interface == SelectedInterface::kM912Hid;
}

// The text up to its first 0 byte followed by one 0 byte when it is shorter
// than the field; what followed the old 0 byte is left as it was.
void StoreTerminatedText(SettingsImage& image, std::size_t offset, std::size_t size,
                         const std::string& text) {
  const std::size_t length = std::min({text.size(), size, text.find('\0')});
  for (std::size_t i = 0; i < length; ++i) {
    image.SetByte(offset + i, static_cast<std::uint8_t>(text[i]));
  }
  if (length < size) image.SetByte(offset + length, 0);
}

void StoreBluetoothBoxes(const InterfaceFields& f, SettingsImage& image) {
  image.SetBit(kBluetoothByte, 0, f.power_saving);
  image.SetBit(kBluetoothByte, 1, f.authentication);
  image.SetBit(kBluetoothByte, 2, f.discoverable);
}

void StoreText(SelectedInterface interface, const InterfaceFields& f, SettingsImage& image) {
  if (IsM912(interface)) {
    StoreTerminatedText(image, kM912SerialOffset, kM912SerialFieldSize, f.text);
  } else {
    StoreTerminatedText(image, kPinCodeOffset, kPinCodeFieldSize, f.text);
  }
}

}  // namespace

InterfaceFields OpenInterfaceFields(SelectedInterface interface, SettingsImage& image) {
  if (interface == SelectedInterface::kM912Hid &&
      image.Byte(kVcomMarkerByte) < kFirstM912KeyboardType) {
    image.SetByte(kVcomMarkerByte, kFirstM912KeyboardType);
  }
  InterfaceFields f;
  f.keyboard_type = interface == SelectedInterface::kM912Hid ? image.Byte(kVcomMarkerByte)
                                                             : image.Byte(kHidKeyboardTypeByte);
  f.caps_lock_state = static_cast<int>(image.Bits(kKeyboardByte, 6, 2));
  f.caps_lock_type = static_cast<int>(image.Bits(kKeyboardByte, 1, 2));
  f.transmit_mode = static_cast<int>(image.Bits(kLayoutByte, 4, 1));
  f.keyboard_layout = static_cast<int>(image.Bits(kLayoutByte, 2, 2));
  f.alphabets = static_cast<int>(image.Bits(kKeyboardByte, 5, 1));
  f.digits_transmission = static_cast<int>(image.Bits(kKeyboardByte, 0, 1));
  f.digits_position = static_cast<int>(image.Bits(kKeyboardByte, 3, 2));
  f.delay = image.Byte(kDelayByte);
  f.kanji = image.Bit(kLayoutByte, 5);
  f.power_saving = image.Bit(kBluetoothByte, 0);
  f.authentication = image.Bit(kBluetoothByte, 1);
  f.discoverable = image.Bit(kBluetoothByte, 2);
  f.ssp_mode = image.Bit(kBluetoothByte, 6);
  f.text = IsM912(interface) ? image.Text(kM912SerialOffset, kM912SerialFieldSize)
                             : image.Text(kPinCodeOffset, kPinCodeFieldSize);
  return f;
}

void StoreKeyboardInterface(SelectedInterface interface, const InterfaceFields& f,
                            SettingsImage& image) {
  if (interface == SelectedInterface::kM912Hid) {
    image.SetByte(kVcomMarkerByte, static_cast<std::uint8_t>(f.keyboard_type));
  } else {
    image.SetBit(kBluetoothByte, 6, f.ssp_mode);
    image.SetByte(kHidKeyboardTypeByte, static_cast<std::uint8_t>(f.keyboard_type));
  }
  image.SetBits(kKeyboardByte, 6, 2, static_cast<std::uint32_t>(f.caps_lock_state));
  image.SetBits(kKeyboardByte, 1, 2, static_cast<std::uint32_t>(f.caps_lock_type));
  image.SetBits(kLayoutByte, 4, 1, static_cast<std::uint32_t>(f.transmit_mode));
  image.SetBits(kLayoutByte, 2, 2, static_cast<std::uint32_t>(f.keyboard_layout));
  image.SetBits(kKeyboardByte, 5, 1, static_cast<std::uint32_t>(f.alphabets));
  image.SetBits(kKeyboardByte, 0, 1, static_cast<std::uint32_t>(f.digits_transmission));
  image.SetBits(kKeyboardByte, 3, 2, static_cast<std::uint32_t>(f.digits_position));
  image.SetByte(kDelayByte, static_cast<std::uint8_t>(f.delay));
  image.SetBit(kLayoutByte, 5, f.kanji);
  image.SetBit(kBluetoothByte, 2, f.discoverable);
  image.SetBit(kBluetoothByte, 0, f.power_saving);
  StoreText(interface, f, image);
  if (interface == SelectedInterface::kBluetoothHid)
    image.SetBit(kBluetoothByte, 1, f.authentication);
}

void StoreSerialInterface(SelectedInterface interface, const InterfaceFields& f,
                          SettingsImage& image) {
  StoreBluetoothBoxes(f, image);
  if (interface == SelectedInterface::kM912Vcom) {
    StoreText(interface, f, image);
    image.SetByte(kVcomMarkerByte, kVcomMarker);
  } else {
    image.SetBit(kBluetoothByte, 6, f.ssp_mode);
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
