// The System page and its two interface dialogs as named fields.
#include <string>

#include "settings/named/named_groups.h"
#include "settings/system/event_strings.h"
#include "settings/system/interface_options.h"
#include "settings/system/interface_selection.h"
#include "settings/system/system_fields.h"

namespace k470::named {
namespace {

constexpr int kMaxTimeoutValue = static_cast<int>(kMaxTimeout);
constexpr int kMinDurationValue = static_cast<int>(kMinDuration);
constexpr int kMaxDurationValue = static_cast<int>(kMaxDuration);
constexpr int kMaxDelayValue = static_cast<int>(kMaxInterCharacterDelay);

bool IsM912(SelectedInterface i) {
  return i == SelectedInterface::kM912Vcom || i == SelectedInterface::kM912Hid;
}

const char* TextKey(SelectedInterface i) { return IsM912(i) ? "m912_serial_number" : "pin_code"; }

std::string StringKey(int row) { return "string_" + std::to_string(row + 1); }

Json ShowSystemFields(const SystemFields& f) {
  Json j;
  j["low_battery_alert"] = f.low_battery_alert;
  j["good_read_led"] = f.good_read_led;
  j["led_duration"] = CorrectedNumber(f.led_duration, kMinDurationValue, kMaxDurationValue);
  j["good_read_vibrator"] = f.good_read_vibrator;
  j["vibrator_duration"] =
      CorrectedNumber(f.vibrator_duration, kMinDurationValue, kMaxDurationValue);
  j["system_beeper"] = f.beeper_on;
  j["volume"] = ListValue(VolumeList(), f.volume);
  j["good_read_beep"] = f.good_read_beep;
  j["beep_frequency"] = ListValue(BeepFrequencyList(), f.frequency);
  j["beep_duration"] = ListValue(BeepDurationList(), f.beep_duration);
  j["power_saving_timeout"] = CorrectedNumber(f.power_saving_timeout, 0, kMaxTimeoutValue);
  j["shutdown_timeout"] = CorrectedNumber(f.shutdown_timeout, 0, kMaxTimeoutValue);
  Json& strings = j["event_strings"];
  for (int row = 0; row < kEventStringCount; ++row) {
    strings[StringKey(row)] = {{"action", ListValue(EventActionList(), f.actions[row])},
                               {"text", Latin1ToUtf8(f.strings[row].text)},
                               {"cr", f.strings[row].cr}};
  }
  j["rfid_power"] = ListValue(PowerLevelList(), f.power_level);
  return j;
}

Json ShowInterfaceOptions(SelectedInterface interface, SettingsImage image) {
  const InterfaceFields f = OpenInterfaceFields(interface, image);
  Json j = Json::object();
  if (IsKeyboardInterface(interface)) {
    j["keyboard_type"] = ListValue(KeyboardTypeList(interface), f.keyboard_type);
    j["caps_lock_state"] = ListValue(CapsLockStateList(), f.caps_lock_state);
    j["caps_lock_type"] = ListValue(CapsLockTypeList(), f.caps_lock_type);
    j["character_transmit_mode"] = ListValue(TransmitModeList(), f.transmit_mode);
    j["keyboard_layout"] = ListValue(KeyboardLayoutList(), f.keyboard_layout);
    j["alphabets_transmission"] = ListValue(AlphabetsList(), f.alphabets);
    j["digits_transmission"] = ListValue(DigitsTransmissionList(), f.digits_transmission);
    j["digits_position"] = ListValue(DigitsPositionList(), f.digits_position);
    j["inter_character_delay"] = CorrectedNumber(f.delay, 0, kMaxDelayValue);
  }
  j["discoverable"] = f.discoverable;
  j["bt_power_saving"] = f.power_saving;
  if (!IsM912(interface)) {
    j["authentication"] = f.authentication;
    j["ssp_mode"] = f.ssp_mode;
  }
  j[TextKey(interface)] = Latin1ToUtf8(f.text);
  return j;
}

void ApplyInterface(JsonPatch& top, SettingsImage& image) {
  const Json* v = top.Changed("interface");
  if (!v) return;
  for (std::size_t i = 0; i < kInterfaceNames.size(); ++i) {
    if (v->is_string() && v->get<std::string>() == kInterfaceNames[i]) {
      const auto interface = static_cast<SelectedInterface>(i);
      EncodeSelectedInterface(interface, image);
      if (interface == SelectedInterface::kM912Hid) EnsureM912KeyboardType(image);
      return;
    }
  }
  throw SettingError("interface",
                     "must be one of \"Bluetooth SPP Slave\", \"Bluetooth HID\", "
                     "\"M912 VCOM\", \"M912 HID\"");
}

void ApplySystemFields(JsonPatch& p, SettingsImage& image) {
  SystemFields f = LoadSystemFields(image);
  p.Bool("low_battery_alert", f.low_battery_alert);
  p.Bool("good_read_led", f.good_read_led);
  p.Number("led_duration", kMinDurationValue, kMaxDurationValue, f.led_duration);
  p.Bool("good_read_vibrator", f.good_read_vibrator);
  p.Number("vibrator_duration", kMinDurationValue, kMaxDurationValue, f.vibrator_duration);
  p.Bool("system_beeper", f.beeper_on);
  p.List("volume", VolumeList(), f.volume);
  p.Bool("good_read_beep", f.good_read_beep);
  p.List("beep_frequency", BeepFrequencyList(), f.frequency);
  p.List("beep_duration", BeepDurationList(), f.beep_duration);
  p.Number("power_saving_timeout", 0, kMaxTimeoutValue, f.power_saving_timeout);
  p.Number("shutdown_timeout", 0, kMaxTimeoutValue, f.shutdown_timeout);
  bool strings_changed = false;
  if (p.Has("event_strings")) {
    JsonPatch strings = p.Child("event_strings");
    for (int row = 0; row < kEventStringCount; ++row) {
      if (!strings.Has(StringKey(row))) continue;
      JsonPatch s = strings.Child(StringKey(row));
      EventString& string = f.strings[row];
      s.List("action", EventActionList(), f.actions[row]);
      s.Bool("cr", string.cr);
      s.Text("text", kEventStringSize, string.text);
      if (string.text.size() > EventTextLimit(string.cr)) {
        throw SettingError(s.KeyPath("text"), "at most 9 characters when \"cr\" is on");
      }
      s.RefuseUnknownKeys();
      strings_changed |= s.changed();
    }
    strings.RefuseUnknownKeys();
  }
  p.List("rfid_power", PowerLevelList(), f.power_level);
  p.RefuseUnknownKeys();
  if (p.changed() || strings_changed) StoreSystemFields(f, StoredInterface(image), image);
}

void ApplyInterfaceOptions(JsonPatch& p, SettingsImage& image) {
  const SelectedInterface interface = ShownInterface(image);
  SettingsImage work = image;
  InterfaceFields f = OpenInterfaceFields(interface, work);
  if (IsKeyboardInterface(interface)) {
    p.List("keyboard_type", KeyboardTypeList(interface), f.keyboard_type);
    p.List("caps_lock_state", CapsLockStateList(), f.caps_lock_state);
    p.List("caps_lock_type", CapsLockTypeList(), f.caps_lock_type);
    p.List("character_transmit_mode", TransmitModeList(), f.transmit_mode);
    p.List("keyboard_layout", KeyboardLayoutList(), f.keyboard_layout);
    p.List("alphabets_transmission", AlphabetsList(), f.alphabets);
    p.List("digits_transmission", DigitsTransmissionList(), f.digits_transmission);
    p.List("digits_position", DigitsPositionList(), f.digits_position);
    p.Number("inter_character_delay", 0, kMaxDelayValue, f.delay);
  }
  if (IsM912(interface)) {
    // The box is shown disabled: an M912 receiver is not discovered over Bluetooth.
    if (p.Changed("discoverable")) {
      throw SettingError(p.KeyPath("discoverable"), "cannot be changed for an M912 interface");
    }
  } else {
    p.Bool("discoverable", f.discoverable);
    p.Bool("authentication", f.authentication);
    p.Bool("ssp_mode", f.ssp_mode);
  }
  p.Bool("bt_power_saving", f.power_saving);
  p.Text(TextKey(interface), IsM912(interface) ? kM912SerialFieldSize : kMaxEditedPinLength,
         f.text);
  p.RefuseUnknownKeys("not a setting of the " +
                      std::string(kInterfaceNames[static_cast<int>(interface)]) + " interface");
  if (!p.changed()) return;
  if (IsKeyboardInterface(interface)) {
    StoreKeyboardInterface(interface, f, work);
  } else {
    StoreSerialInterface(interface, f, work);
  }
  image = work;
}

}  // namespace

SelectedInterface ShownInterface(const SettingsImage& image) {
  return StoredInterface(image).value_or(SelectedInterface::kBluetoothSpp);
}

void ShowSystem(const SettingsImage& image, Json& out) {
  const std::optional<SelectedInterface> stored = StoredInterface(image);
  out["interface"] = stored ? Json(std::string(kInterfaceNames[static_cast<int>(*stored)]))
                            : Json{{"unknown_code", image.Field(kInterfaceCode)}};
  out["system"] = ShowSystemFields(LoadSystemFields(image));
  out["interface_options"] = ShowInterfaceOptions(ShownInterface(image), image);
}

void ApplyInterfaceStep(JsonPatch& top, SettingsImage& image) { ApplyInterface(top, image); }

void ApplySystemStep(JsonPatch& top, SettingsImage& image) {
  if (!top.Has("system")) return;
  JsonPatch p = top.Child("system");
  ApplySystemFields(p, image);
}

void ApplyInterfaceOptionsStep(JsonPatch& top, SettingsImage& image) {
  if (!top.Has("interface_options")) return;
  JsonPatch p = top.Child("interface_options");
  ApplyInterfaceOptions(p, image);
}

}  // namespace k470::named
