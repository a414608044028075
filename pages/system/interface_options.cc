#include "pages/system/interface_options.h"

#include <algorithm>

#include "pages/system/interface_selection.h"

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

std::array<std::string, kKeyboardTypeCount> NamesWithPrefix(const char* prefix) {
  static constexpr std::array<const char*, kKeyboardTypeCount> kLayouts = {
      "PACT US",         "PACT French",        "PACT German",
      "PACT Italy",      "PACT Swedish",       "PACT Norwegian",
      "PACT UK",         "PACT Belgium",       "PACT Spanish",
      "PACT Portuguese", "PS55A01 2 Japanese", "User Defined KBD",
      "PCAT Trukish",    "PACT Hungarian"};
  std::array<std::string, kKeyboardTypeCount> names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::string(prefix) + kLayouts[i];
  return names;
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

const std::array<std::string, kKeyboardTypeCount>& KeyboardTypeNames(SelectedInterface interface) {
  static const auto hid = NamesWithPrefix("HID ");
  static const auto m912 = NamesWithPrefix("M912 ");
  return interface == SelectedInterface::kM912Hid ? m912 : hid;
}

int KeyboardTypeCode(SelectedInterface interface, int position) {
  return (interface == SelectedInterface::kM912Hid ? kFirstM912KeyboardType
                                                   : kFirstHidKeyboardType) +
         position;
}

const std::array<const char*, 3>& CapsLockStateTexts() {
  static const std::array<const char*, 3> texts = {"Off", "On", "Auto"};
  return texts;
}
const std::array<const char*, 3>& CapsLockTypeTexts() {
  static const std::array<const char*, 3> texts = {"Normal", "Caps Lock", "Shift Lock"};
  return texts;
}
const std::array<const char*, 2>& TransmitModeTexts() {
  static const std::array<const char*, 2> texts = {"Batch Processing", "By Character"};
  return texts;
}
const std::array<const char*, 3>& KeyboardLayoutTexts() {
  static const std::array<const char*, 3> texts = {"Normal", "AZERTY", "QWERTZ"};
  return texts;
}
const std::array<const char*, 2>& AlphabetsTexts() {
  static const std::array<const char*, 2> texts = {"Case Sensitive", "Ignore Case"};
  return texts;
}
const std::array<const char*, 2>& DigitsTransmissionTexts() {
  static const std::array<const char*, 2> texts = {"Alpha Numeric Keypad", "Numeric Keypad"};
  return texts;
}
const std::array<const char*, 3>& DigitsPositionTexts() {
  static const std::array<const char*, 3> texts = {"Normal", "Lower Row", "Upper Row"};
  return texts;
}

}  // namespace k470
