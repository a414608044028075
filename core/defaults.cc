#include "core/defaults.h"

#include <array>
#include <string_view>

namespace k470 {
namespace {

// Entries of the default table that belong to both sides (bytes 6-7).
void WriteMemoryAndBufferDefaults(SettingsImage& im) {
  im.SetByte(kMemoryMode.byte, 0);  // bits 4-7 as well
  im.SetField(kTransmissionBuffer, 1);
  im.SetField(kTransmitDelay, 0);  // bits 4-7 keep
}

// The first characters of `area` followed by one 0 byte; the rest keeps.
void WriteTerminated(SettingsImage& im, ImageArea area, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    im.SetByte(area.offset + i, static_cast<std::uint8_t>(text[i]));
  }
  im.SetByte(area.offset + text.size(), 0);
}

void WriteSystemImageDefaults(SettingsImage& im) {
  im.SetField(kShutdownTimeout, 10);
  im.SetField(kPowerSavingTimeout, 2);
  im.SetField(kGoodReadVibrator, 0);
  im.SetField(kGoodReadLed, 1);
  im.SetField(kGoodReadBeep, 1);
  im.SetField(kCommandBeep, 0);
  im.SetField(kLedDuration, 4);
  im.SetField(kVibratorDuration, 10);
  im.SetField(kLowBatteryAlert, 1);
  im.SetField(kBeepFrequency, 1);
  im.SetField(kBeepDuration, 0);
  im.SetField(kVolume, 3);
  WriteMemoryAndBufferDefaults(im);
  // Bits 0-3 and 5-6 set, bits 4, 7 and 8 clear; 9-15 keep.
  im.SetField(kHiddenWord8, 0b0'0110'1111);

  // Interface options and Bluetooth settings.
  im.SetField(kBtPowerSaving, 1);
  im.SetField(kAuthentication, 0);
  im.SetField(kDiscoverable, 1);
  im.SetField(kInterfaceCode, 0);
  im.SetField(kSspMode, 1);  // bit 7 keeps
  im.SetField(kHidKeyboardType, 0x40);
  im.SetField(kM912KeyboardType, 0x60);
  im.SetField(kInterCharacterDelay, 0);
  im.Fill(kHiddenBytes20, 0);
  im.SetField(kHiddenBit22, 0);
  im.SetField(kDigitsTransmission, 0);
  im.SetField(kCapsLockType, 0);
  im.SetField(kDigitsPosition, 0);
  im.SetField(kAlphabets, 0);
  im.SetField(kCapsLockState, 0);
  im.SetField(kHiddenBits24, 0);
  im.SetField(kKeyboardLayout, 0);
  im.SetField(kTransmitMode, 0);
  im.SetField(kKanji, 1);  // bits 6-7 keep
  WriteTerminated(im, kPinCode, kFactoryBluetoothPin);
  im.SetField(kHiddenByte44, 0x20);
  im.SetField(kHiddenBits45, 0);
  im.SetField(kHiddenByte46, 0x7F);
  im.Fill(kM912SerialNumber, 0);

  // System flags and RFID power.
  im.SetField(kHiddenBits205, 0b0'1001);  // bits 0 and 3 set, 1, 2, 4 clear; 5-7 keep
  im.SetField(kRfidPower, 3);

  // Event output strings: trigger pressed and released, the other four empty.
  im.SetText(EventStringArea(0), "#@TRIGON\r");
  im.SetText(EventStringArea(1), "#@TRIGOFF\r");
  for (int i = 2; i < kEventStringCount; ++i) im.Fill(EventStringArea(i), 0);
  im.SetField(EventActionField(0), 1);  // "Trigger is pressed"
  im.SetField(EventActionField(1), 2);  // "Trigger is released"
  for (int i = 2; i < kEventStringCount; ++i) im.SetField(EventActionField(i), 0);
}

void WriteOperationImageDefaults(SettingsImage& im) {
  WriteMemoryAndBufferDefaults(im);

  // Scan mode, Single TAG Mode and EPC filter records.
  im.SetField(kPendingScanMode, kScanModeSingleTag);
  im.SetField(kScanDelay, 0);
  im.SetField(kScanTimeout, 0);
  im.SetField(kCounterLimit, 0x80);
  im.SetField(kWarnAtLimit, 1);
  im.SetField(kHiddenBit83, 0);
  im.SetField(kHiddenBits83, 0);
  im.SetField(kSingleTagModeBits, 0b0'1000);
  im.SetField(kFilterMethods, 0);
  for (const FilterRecordOffsets& record : {kIncludeRecord, kExcludeRecord}) {
    im.Fill(record.pointer, kFilterRecordHeadSize, 0);
    im.Fill(record.pattern2, kFilterPatternSize, 0);
  }
  im.Fill(kHiddenBytes162, 0);
  im.SetField(kHiddenByte170, 5);
  im.Fill(kHiddenBytes171, 0);
  im.SetField(kFilteredTagType, '0');

  // Data format, output sequence, counter and timestamp format.
  im.SetField(kHiddenBits320, 0);
  im.SetField(kDataFormat, 0);
  // Counter, Timestamp, EPC Tag; bits 9-15 of the word keep.
  for (int i = 0; i < kOutputSequenceCount; ++i) im.SetField(OutputSequenceField(i), i + 1);
  im.SetField(kHiddenBit323, 1);
  im.SetField(kResetOnUhfPowerOn, 0);
  im.SetField(kResetOnNewConnection, 1);
  im.SetField(kLeftPadding, 0x20);
  im.Fill(kCounterPrefix, 0);
  im.SetText(kCounterSuffix, ".");
  // yyyy-MM-dd hh:mm:ss: year, month, day, hour, minute, second and no seventh
  // field, each followed by its separator.
  constexpr std::array<std::uint8_t, kTimestampFieldCount> kFields = {1, 2, 3, 5, 6, 7, 0};
  for (int i = 0; i < kTimestampFieldCount; ++i) {
    im.SetField(TimestampCodeField(i), kFields[static_cast<std::size_t>(i)]);
  }
  im.SetField(kTimestampMarker, 2);  // bits 23-31 of the word keep
  im.SetText(kTimestampSeparators, "-- ::");
  im.SetText(kTimestampPrefix, " ");
  im.SetText(kTimestampSuffix, " ");

  // EPC Tag data fields PC, EPC, CRC; bit 15 of the word keeps.
  constexpr std::array<std::uint8_t, kUhfFieldCount> kUhfFields = {2, 3, 1, 0, 0};
  for (int i = 0; i < kUhfFieldCount; ++i) {
    im.SetField(UhfFieldCode(i), kUhfFields[static_cast<std::size_t>(i)]);
  }
  im.Fill(kDelimiter, 0);
  im.SetField(kHiddenByte372, 0);
  im.SetField(kHiddenBits373, 0);
  im.Fill(kEpcPrefix, 0);
  im.SetText(kEpcSuffix, "\r");
}

}  // namespace

void ApplySystemDefaults(AppState& state) {
  WriteSystemImageDefaults(state.image);
  state.selected_interface = SelectedInterface::kBluetoothSpp;
}

void ApplyOperationDefaults(AppState& state) {
  WriteOperationImageDefaults(state.image);
  state.operation_mode = 0;
  state.pending_scan_mode = kScanModeSingleTag;
}

void New(AppState& state) {
  ApplySystemDefaults(state);
  ApplyOperationDefaults(state);
  state.image.SetField(kTagTypeMask, 0x7FFF);  // every tag type; bit 15 keeps
  state.clock_mode = ClockMode::kSyncWithHost;
}

}  // namespace k470
