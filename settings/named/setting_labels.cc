#include "settings/named/setting_labels.h"

#include <array>

#include "settings/control_id_text.h"
#include "settings/system/keyboard_interface_dialog_ids.h"
#include "settings/system/serial_interface_dialog_ids.h"
#include "settings/system/system_page_ids.h"

namespace k470 {
namespace {

using enum SettingPlace;
namespace system_ids = system_page_ids;
namespace keyboard_ids = keyboard_interface_dialog_ids;
namespace serial_ids = serial_interface_dialog_ids;

constexpr SettingLabel kLabels[] = {
    {"interface", "Interface", kSystemPage, ""},
    {"system.low_battery_alert", "Low Battery Alert", kSystemPage,
     kControlIdText<system_ids::kLowBatteryAlert>},
    {"system.good_read_led", "Good Read LED", kSystemPage,
     kControlIdText<system_ids::kGoodReadLed>},
    {"system.led_duration", "LED Duration (10 ms)", kSystemPage,
     kControlIdText<system_ids::kLedDuration>},
    {"system.good_read_vibrator", "Good Read Vibrator", kSystemPage,
     kControlIdText<system_ids::kGoodReadVibrator>},
    {"system.vibrator_duration", "Vibrator Duration (100 ms)", kSystemPage,
     kControlIdText<system_ids::kVibratorDuration>},
    {"system.system_beeper", "System Beeper", kSystemPage,
     kControlIdText<system_ids::kSystemBeeper>},
    {"system.volume", "Volume", kSystemPage, kControlIdText<system_ids::kVolume>},
    {"system.good_read_beep", "Good Read Beep", kSystemPage,
     kControlIdText<system_ids::kGoodReadBeep>},
    {"system.beep_frequency", "Frequency", kSystemPage, kControlIdText<system_ids::kFrequency>},
    {"system.beep_duration", "Duration", kSystemPage, kControlIdText<system_ids::kBeepDuration>},
    {"system.power_saving_timeout", "Timeout to Power Saving (minute)", kSystemPage,
     kControlIdText<system_ids::kPowerSavingTimeout>},
    {"system.shutdown_timeout", "Timeout to Shutdown (minute)", kSystemPage,
     kControlIdText<system_ids::kShutdownTimeout>},
    {"system.event_strings.string_1.action", "String 1 : Action", kSystemPage,
     kControlIdText<system_ids::kString1Action>},
    {"system.event_strings.string_1.text", "String 1 : Output String", kSystemPage,
     kControlIdText<system_ids::kString1Text>},
    {"system.event_strings.string_1.cr", "String 1 : CR", kSystemPage,
     kControlIdText<system_ids::kString1Cr>},
    {"system.event_strings.string_2.action", "String 2 : Action", kSystemPage,
     kControlIdText<system_ids::kString2Action>},
    {"system.event_strings.string_2.text", "String 2 : Output String", kSystemPage,
     kControlIdText<system_ids::kString2Text>},
    {"system.event_strings.string_2.cr", "String 2 : CR", kSystemPage,
     kControlIdText<system_ids::kString2Cr>},
    {"system.event_strings.string_3.action", "String 3 : Action", kSystemPage,
     kControlIdText<system_ids::kString3Action>},
    {"system.event_strings.string_3.text", "String 3 : Output String", kSystemPage,
     kControlIdText<system_ids::kString3Text>},
    {"system.event_strings.string_3.cr", "String 3 : CR", kSystemPage,
     kControlIdText<system_ids::kString3Cr>},
    {"system.event_strings.string_4.action", "String 4 : Action", kSystemPage,
     kControlIdText<system_ids::kString4Action>},
    {"system.event_strings.string_4.text", "String 4 : Output String", kSystemPage,
     kControlIdText<system_ids::kString4Text>},
    {"system.event_strings.string_4.cr", "String 4 : CR", kSystemPage,
     kControlIdText<system_ids::kString4Cr>},
    {"system.event_strings.string_5.action", "String 5 : Action", kSystemPage,
     kControlIdText<system_ids::kString5Action>},
    {"system.event_strings.string_5.text", "String 5 : Output String", kSystemPage,
     kControlIdText<system_ids::kString5Text>},
    {"system.event_strings.string_5.cr", "String 5 : CR", kSystemPage,
     kControlIdText<system_ids::kString5Cr>},
    {"system.event_strings.string_6.action", "String 6 : Action", kSystemPage,
     kControlIdText<system_ids::kString6Action>},
    {"system.event_strings.string_6.text", "String 6 : Output String", kSystemPage,
     kControlIdText<system_ids::kString6Text>},
    {"system.event_strings.string_6.cr", "String 6 : CR", kSystemPage,
     kControlIdText<system_ids::kString6Cr>},
    {"system.rfid_power", "RFID Power", kSystemPage, kControlIdText<system_ids::kRfidPower>},

    {"interface_options.keyboard_type", "Keyboard Type", kKeyboardDialog,
     kControlIdText<keyboard_ids::kKeyboardType>},
    {"interface_options.caps_lock_state", "Caps Lock State", kKeyboardDialog,
     kControlIdText<keyboard_ids::kCapsLockState>},
    {"interface_options.caps_lock_type", "Caps Lock Type", kKeyboardDialog,
     kControlIdText<keyboard_ids::kCapsLockType>},
    {"interface_options.character_transmit_mode", "Character Transmit Mode", kKeyboardDialog,
     kControlIdText<keyboard_ids::kCharacterTransmitMode>},
    {"interface_options.keyboard_layout", "Keyboard Layout", kKeyboardDialog,
     kControlIdText<keyboard_ids::kKeyboardLayout>},
    {"interface_options.alphabets_transmission", "Alphabets Transmission", kKeyboardDialog,
     kControlIdText<keyboard_ids::kAlphabetsTransmission>},
    {"interface_options.digits_transmission", "Digits Transmission", kKeyboardDialog,
     kControlIdText<keyboard_ids::kDigitsTransmission>},
    {"interface_options.digits_position", "Digits Position", kKeyboardDialog,
     kControlIdText<keyboard_ids::kDigitsPosition>},
    {"interface_options.inter_character_delay", "Inter-Character Delay (ms)", kKeyboardDialog,
     kControlIdText<keyboard_ids::kInterCharacterDelay>},
    {"interface_options.discoverable", "Discoverable", kKeyboardDialog,
     kControlIdText<keyboard_ids::kDiscoverable>},
    {"interface_options.bt_power_saving", "BT Power Saving", kKeyboardDialog,
     kControlIdText<keyboard_ids::kBtPowerSaving>},
    {"interface_options.authentication", "Authentication", kKeyboardDialog,
     kControlIdText<keyboard_ids::kAuthentication>},
    {"interface_options.ssp_mode", "SSP Mode", kKeyboardDialog,
     kControlIdText<keyboard_ids::kSspMode>},
    {"interface_options.pin_code", "PIN Code", kKeyboardDialog,
     kControlIdText<keyboard_ids::kPinOrSerialNumber>},
    {"interface_options.m912_serial_number", "M912 S/N", kKeyboardDialog,
     kControlIdText<keyboard_ids::kPinOrSerialNumber>},
    {"interface_options.discoverable", "Discoverable", kSerialDialog,
     kControlIdText<serial_ids::kDiscoverable>},
    {"interface_options.bt_power_saving", "BT Power Saving", kSerialDialog,
     kControlIdText<serial_ids::kBtPowerSaving>},
    {"interface_options.authentication", "Authentication", kSerialDialog,
     kControlIdText<serial_ids::kAuthentication>},
    {"interface_options.ssp_mode", "SSP Mode", kSerialDialog, kControlIdText<serial_ids::kSspMode>},
    {"interface_options.pin_code", "PIN Code", kSerialDialog,
     kControlIdText<serial_ids::kPinOrSerialNumber>},
    {"interface_options.m912_serial_number", "M912 S/N", kSerialDialog,
     kControlIdText<serial_ids::kPinOrSerialNumber>},

    {"tag_types", "TAG Activation", kTagTypePage, ""},

    {"operation.scan_mode", "Scan Mode", kOperationPage, ""},
    {"operation.memory_mode", "Memory Mode", kOperationPage, "1208"},
    {"operation.memory_data_transmit_delay", "Memory Data Transmit Delay", kOperationPage, "1071"},
    {"operation.data_format", "Data Format", kOperationPage, "1075"},
    {"operation.transmission_buffer", "Transmission Buffer", kOperationPage, "1080"},
    {"operation.transmit_delay", "Transmit Delay", kOperationPage, "1079"},
    {"operation.output_sequence.first", "Output Sequence 1", kOperationPage, "1076"},
    {"operation.output_sequence.second", "Output Sequence 2", kOperationPage, "1077"},
    {"operation.output_sequence.third", "Output Sequence 3", kOperationPage, "1078"},
    {"counter.left_padding_character", "Counter : Left Padding Character", kOperationPage, "1239"},
    {"counter.reset_on_uhf_power_on", "Counter : Reset When UHF Power On", kOperationPage, "1097"},
    {"counter.reset_on_new_connection", "Counter : Reset When New Connection", kOperationPage,
     "1100"},
    {"timestamp.format", "Timestamp Format", kOperationPage, "1169"},
    {"timestamp.date_format", "Date Format", kOperationPage, "1167"},
    {"timestamp.time_format", "Time Format", kOperationPage, "1168"},
    {"timestamp.field_separator", "Timestamp Field Separator", kOperationPage, "1174"},
    {"key_sequences.counter_prefix", "Counter : Prefix", kOperationPage, "1088"},
    {"key_sequences.counter_suffix", "Counter : Suffix", kOperationPage, "1089"},
    {"key_sequences.timestamp_prefix", "Timestamp : Prefix", kOperationPage, "1091"},
    {"key_sequences.timestamp_suffix", "Timestamp : Suffix", kOperationPage, "1092"},
    {"key_sequences.epc_prefix", "EPC Tag : Prefix", kOperationPage, "1093"},
    {"key_sequences.epc_suffix", "EPC Tag : Suffix", kOperationPage, "1094"},
    {"epc_tag.data_fields.field_1", "EPC Tag : Field 1", kOperationPage, "1173"},
    {"epc_tag.data_fields.field_2", "EPC Tag : Field 2", kOperationPage, "1191"},
    {"epc_tag.data_fields.field_3", "EPC Tag : Field 3", kOperationPage, "1193"},
    {"epc_tag.data_fields.field_4", "EPC Tag : Field 4", kOperationPage, "1195"},
    {"epc_tag.delimiter", "EPC Tag : Delimiter", kOperationPage, "1170"},

    {"single_tag_mode.scanning_timeout", "Scanning Timeout (sec)", kSingleTagModeDialog,
     "scanningTimeout"},
    {"single_tag_mode.delay_between_scans", "Delay Between Each Scan", kSingleTagModeDialog,
     "delay"},
    {"single_tag_mode.counter_limit", "Counter Limit for Unique Tag Read", kSingleTagModeDialog,
     "counterLimit"},
    {"single_tag_mode.warn_when_limit_reached", "Warn When Limit is Reached", kSingleTagModeDialog,
     "warnAtLimit"},
    {"epc_filter.filter_type", "Filter Type", kSingleTagModeDialog, "filterType"},
    {"epc_filter.tag_type", "TAG Type", kSingleTagModeDialog, "tagType"},
    {"epc_filter.method", "Filter Method", kSingleTagModeDialog, ""},
    {"epc_filter.filter_value", "Filter Value", kSingleTagModeDialog, "filterValue"},
    {"epc_filter.pattern1", "Pattern1", kSingleTagModeDialog, "pattern1"},
    {"epc_filter.pattern2", "Pattern2", kSingleTagModeDialog, "pattern2"},
    {"epc_filter.digits", "Maximum number of digits", kSingleTagModeDialog, "digitCount"},
};

struct Heading {
  std::string_view group;
  std::string_view heading;
};
constexpr std::array<Heading, 12> kHeadings = {{
    {"interface", "System"},
    {"system", "System"},
    {"interface_options", "Interface options"},
    {"tag_types", "TAG Type"},
    {"operation", "Operation"},
    {"counter", "Output format"},
    {"timestamp", "Output format"},
    {"key_sequences", "Output format"},
    {"epc_tag", "EPC Tag fields"},
    {"single_tag_mode", "Single TAG Mode and EPC filter"},
    {"epc_filter", "Single TAG Mode and EPC filter"},
    {"unedited_bytes", "Bytes no page edits"},
}};

}  // namespace

std::span<const SettingLabel> SettingLabels() { return kLabels; }

const SettingLabel* FindSettingLabel(std::string_view path) {
  for (const SettingLabel& l : kLabels) {
    if (l.path == path) return &l;
  }
  return nullptr;
}

std::string_view GroupHeading(std::string_view group) {
  for (const Heading& h : kHeadings) {
    if (h.group == group) return h.heading;
  }
  return group;
}

}  // namespace k470
