#include "settings/named/setting_labels.h"

#include <array>

#include "settings/named/control_name.h"
#include "settings/operation/operation_page_ids.h"
#include "settings/system/keyboard_interface_dialog_ids.h"
#include "settings/system/serial_interface_dialog_ids.h"
#include "settings/system/system_page_ids.h"
#include "settings/tagfilter/single_tag_mode_ids.h"

namespace k470 {
namespace {

using enum SettingPlace;
namespace operation = operation_page_ids;
namespace single_tag = single_tag_mode_ids;
namespace system_ids = system_page_ids;
namespace keyboard_ids = keyboard_interface_dialog_ids;
namespace serial_ids = serial_interface_dialog_ids;

constexpr SettingLabel kLabels[] = {
    {"interface", "Interface", kSystemPage, ""},
    {"system.low_battery_alert", "Low Battery Alert", kSystemPage,
     kControlName<system_ids::kLowBatteryAlert>},
    {"system.good_read_led", "Good Read LED", kSystemPage, kControlName<system_ids::kGoodReadLed>},
    {"system.led_duration", "LED Duration (10 ms)", kSystemPage,
     kControlName<system_ids::kLedDuration>},
    {"system.good_read_vibrator", "Good Read Vibrator", kSystemPage,
     kControlName<system_ids::kGoodReadVibrator>},
    {"system.vibrator_duration", "Vibrator Duration (100 ms)", kSystemPage,
     kControlName<system_ids::kVibratorDuration>},
    {"system.system_beeper", "System Beeper", kSystemPage, kControlName<system_ids::kSystemBeeper>},
    {"system.volume", "Volume", kSystemPage, kControlName<system_ids::kVolume>},
    {"system.good_read_beep", "Good Read Beep", kSystemPage,
     kControlName<system_ids::kGoodReadBeep>},
    {"system.beep_frequency", "Frequency", kSystemPage, kControlName<system_ids::kFrequency>},
    {"system.beep_duration", "Duration", kSystemPage, kControlName<system_ids::kBeepDuration>},
    {"system.power_saving_timeout", "Timeout to Power Saving (minute)", kSystemPage,
     kControlName<system_ids::kPowerSavingTimeout>},
    {"system.shutdown_timeout", "Timeout to Shutdown (minute)", kSystemPage,
     kControlName<system_ids::kShutdownTimeout>},
    {"system.event_strings.string_1.action", "String 1 : Action", kSystemPage,
     kControlName<system_ids::kString1Action>},
    {"system.event_strings.string_1.text", "String 1 : Output String", kSystemPage,
     kControlName<system_ids::kString1Text>},
    {"system.event_strings.string_1.cr", "String 1 : CR", kSystemPage,
     kControlName<system_ids::kString1Cr>},
    {"system.event_strings.string_2.action", "String 2 : Action", kSystemPage,
     kControlName<system_ids::kString2Action>},
    {"system.event_strings.string_2.text", "String 2 : Output String", kSystemPage,
     kControlName<system_ids::kString2Text>},
    {"system.event_strings.string_2.cr", "String 2 : CR", kSystemPage,
     kControlName<system_ids::kString2Cr>},
    {"system.event_strings.string_3.action", "String 3 : Action", kSystemPage,
     kControlName<system_ids::kString3Action>},
    {"system.event_strings.string_3.text", "String 3 : Output String", kSystemPage,
     kControlName<system_ids::kString3Text>},
    {"system.event_strings.string_3.cr", "String 3 : CR", kSystemPage,
     kControlName<system_ids::kString3Cr>},
    {"system.event_strings.string_4.action", "String 4 : Action", kSystemPage,
     kControlName<system_ids::kString4Action>},
    {"system.event_strings.string_4.text", "String 4 : Output String", kSystemPage,
     kControlName<system_ids::kString4Text>},
    {"system.event_strings.string_4.cr", "String 4 : CR", kSystemPage,
     kControlName<system_ids::kString4Cr>},
    {"system.event_strings.string_5.action", "String 5 : Action", kSystemPage,
     kControlName<system_ids::kString5Action>},
    {"system.event_strings.string_5.text", "String 5 : Output String", kSystemPage,
     kControlName<system_ids::kString5Text>},
    {"system.event_strings.string_5.cr", "String 5 : CR", kSystemPage,
     kControlName<system_ids::kString5Cr>},
    {"system.event_strings.string_6.action", "String 6 : Action", kSystemPage,
     kControlName<system_ids::kString6Action>},
    {"system.event_strings.string_6.text", "String 6 : Output String", kSystemPage,
     kControlName<system_ids::kString6Text>},
    {"system.event_strings.string_6.cr", "String 6 : CR", kSystemPage,
     kControlName<system_ids::kString6Cr>},
    {"system.rfid_power", "RFID Power", kSystemPage, kControlName<system_ids::kRfidPower>},

    {"interface_options.keyboard_type", "Keyboard Type", kKeyboardDialog,
     kControlName<keyboard_ids::kKeyboardType>},
    {"interface_options.caps_lock_state", "Caps Lock State", kKeyboardDialog,
     kControlName<keyboard_ids::kCapsLockState>},
    {"interface_options.caps_lock_type", "Caps Lock Type", kKeyboardDialog,
     kControlName<keyboard_ids::kCapsLockType>},
    {"interface_options.character_transmit_mode", "Character Transmit Mode", kKeyboardDialog,
     kControlName<keyboard_ids::kCharacterTransmitMode>},
    {"interface_options.keyboard_layout", "Keyboard Layout", kKeyboardDialog,
     kControlName<keyboard_ids::kKeyboardLayout>},
    {"interface_options.alphabets_transmission", "Alphabets Transmission", kKeyboardDialog,
     kControlName<keyboard_ids::kAlphabetsTransmission>},
    {"interface_options.digits_transmission", "Digits Transmission", kKeyboardDialog,
     kControlName<keyboard_ids::kDigitsTransmission>},
    {"interface_options.digits_position", "Digits Position", kKeyboardDialog,
     kControlName<keyboard_ids::kDigitsPosition>},
    {"interface_options.inter_character_delay", "Inter-Character Delay (ms)", kKeyboardDialog,
     kControlName<keyboard_ids::kInterCharacterDelay>},
    {"interface_options.discoverable", "Discoverable", kKeyboardDialog,
     kControlName<keyboard_ids::kDiscoverable>},
    {"interface_options.bt_power_saving", "BT Power Saving", kKeyboardDialog,
     kControlName<keyboard_ids::kBtPowerSaving>},
    {"interface_options.authentication", "Authentication", kKeyboardDialog,
     kControlName<keyboard_ids::kAuthentication>},
    {"interface_options.ssp_mode", "SSP Mode", kKeyboardDialog,
     kControlName<keyboard_ids::kSspMode>},
    {"interface_options.pin_code", "PIN Code", kKeyboardDialog,
     kControlName<keyboard_ids::kPinOrSerialNumber>},
    {"interface_options.m912_serial_number", "M912 S/N", kKeyboardDialog,
     kControlName<keyboard_ids::kPinOrSerialNumber>},
    {"interface_options.discoverable", "Discoverable", kSerialDialog,
     kControlName<serial_ids::kDiscoverable>},
    {"interface_options.bt_power_saving", "BT Power Saving", kSerialDialog,
     kControlName<serial_ids::kBtPowerSaving>},
    {"interface_options.authentication", "Authentication", kSerialDialog,
     kControlName<serial_ids::kAuthentication>},
    {"interface_options.ssp_mode", "SSP Mode", kSerialDialog, kControlName<serial_ids::kSspMode>},
    {"interface_options.pin_code", "PIN Code", kSerialDialog,
     kControlName<serial_ids::kPinOrSerialNumber>},
    {"interface_options.m912_serial_number", "M912 S/N", kSerialDialog,
     kControlName<serial_ids::kPinOrSerialNumber>},

    {"tag_types", "TAG Activation", kTagTypePage, ""},

    {"operation.scan_mode", "Scan Mode", kOperationPage, ""},
    {"operation.memory_mode", "Memory Mode", kOperationPage, kControlName<operation::kMemoryMode>},
    {"operation.memory_data_transmit_delay", "Memory Data Transmit Delay", kOperationPage,
     kControlName<operation::kMemoryDelay>},
    {"operation.data_format", "Data Format", kOperationPage, kControlName<operation::kDataFormat>},
    {"operation.transmission_buffer", "Transmission Buffer", kOperationPage,
     kControlName<operation::kTransmissionBuffer>},
    {"operation.transmit_delay", "Transmit Delay", kOperationPage,
     kControlName<operation::kTransmitDelay>},
    {"operation.output_sequence.first", "Output Sequence 1", kOperationPage,
     kControlName<operation::kOutputSequence1>},
    {"operation.output_sequence.second", "Output Sequence 2", kOperationPage,
     kControlName<operation::kOutputSequence2>},
    {"operation.output_sequence.third", "Output Sequence 3", kOperationPage,
     kControlName<operation::kOutputSequence3>},
    {"counter.left_padding_character", "Counter : Left Padding Character", kOperationPage,
     kControlName<operation::kLeftPadding>},
    {"counter.reset_on_uhf_power_on", "Counter : Reset When UHF Power On", kOperationPage,
     kControlName<operation::kResetOnUhfPowerOn>},
    {"counter.reset_on_new_connection", "Counter : Reset When New Connection", kOperationPage,
     kControlName<operation::kResetOnNewConnection>},
    {"timestamp.format", "Timestamp Format", kOperationPage,
     kControlName<operation::kTimestampFormat>},
    {"timestamp.date_format", "Date Format", kOperationPage, kControlName<operation::kDateFormat>},
    {"timestamp.time_format", "Time Format", kOperationPage, kControlName<operation::kTimeFormat>},
    {"timestamp.field_separator", "Timestamp Field Separator", kOperationPage,
     kControlName<operation::kFieldSeparator>},
    {"key_sequences.counter_prefix", "Counter : Prefix", kOperationPage,
     kControlName<operation::kCounterPrefix>},
    {"key_sequences.counter_suffix", "Counter : Suffix", kOperationPage,
     kControlName<operation::kCounterSuffix>},
    {"key_sequences.timestamp_prefix", "Timestamp : Prefix", kOperationPage,
     kControlName<operation::kTimestampPrefix>},
    {"key_sequences.timestamp_suffix", "Timestamp : Suffix", kOperationPage,
     kControlName<operation::kTimestampSuffix>},
    {"key_sequences.epc_prefix", "EPC Tag : Prefix", kOperationPage,
     kControlName<operation::kEpcPrefix>},
    {"key_sequences.epc_suffix", "EPC Tag : Suffix", kOperationPage,
     kControlName<operation::kEpcSuffix>},
    {"epc_tag.data_fields.field_1", "EPC Tag : Field 1", kOperationPage,
     kControlName<operation::kField1>},
    {"epc_tag.data_fields.field_2", "EPC Tag : Field 2", kOperationPage,
     kControlName<operation::kField2>},
    {"epc_tag.data_fields.field_3", "EPC Tag : Field 3", kOperationPage,
     kControlName<operation::kField3>},
    {"epc_tag.data_fields.field_4", "EPC Tag : Field 4", kOperationPage,
     kControlName<operation::kField4>},
    {"epc_tag.delimiter", "EPC Tag : Delimiter", kOperationPage,
     kControlName<operation::kDelimiter>},

    {"single_tag_mode.scanning_timeout", "Scanning Timeout (sec)", kSingleTagModeDialog,
     single_tag::kScanningTimeout},
    {"single_tag_mode.delay_between_scans", "Delay Between Each Scan", kSingleTagModeDialog,
     single_tag::kDelay},
    {"single_tag_mode.counter_limit", "Counter Limit for Unique Tag Read", kSingleTagModeDialog,
     single_tag::kCounterLimit},
    {"single_tag_mode.warn_when_limit_reached", "Warn When Limit is Reached", kSingleTagModeDialog,
     single_tag::kWarnAtLimit},
    {"epc_filter.filter_type", "Filter Type", kSingleTagModeDialog, single_tag::kFilterType},
    {"epc_filter.tag_type", "TAG Type", kSingleTagModeDialog, single_tag::kTagType},
    {"epc_filter.method", "Filter Method", kSingleTagModeDialog, ""},
    {"epc_filter.filter_value", "Filter Value", kSingleTagModeDialog, single_tag::kFilterValue},
    {"epc_filter.pattern1", "Pattern1", kSingleTagModeDialog, single_tag::kPattern1},
    {"epc_filter.pattern2", "Pattern2", kSingleTagModeDialog, single_tag::kPattern2},
    {"epc_filter.digits", "Maximum number of digits", kSingleTagModeDialog,
     single_tag::kDigitCount},
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
