#include "core/defaults.h"

namespace k470 {
namespace {

// Entries of the default table that belong to both sides (bytes 6-7).
void WriteMemoryAndBufferDefaults(SettingsImage& im) {
  im.SetByte(6, 0);
  im.SetBits(7, 0, 4, 0b0001);  // bit 0 set, bits 1-3 clear; 4-7 keep
}

void WriteSystemImageDefaults(SettingsImage& im) {
  im.SetByte(0, 10);
  im.SetByte(1, 2);
  im.SetBits(2, 0, 4, 0b0110);  // bits 1 and 2 set; 4-7 keep
  im.SetByte(3, 4);
  im.SetByte(4, 10);
  im.SetByte(5, 0xC5);
  WriteMemoryAndBufferDefaults(im);
  // Word at 8: bits 0-3 and 5-6 set, bits 4, 7 and 8 clear; 9-15 keep.
  im.SetBits(8, 0, 9, 0b0'0110'1111);

  // Interface options and Bluetooth settings.
  im.SetBit(16, 0, true);
  im.SetBit(16, 1, false);
  im.SetBit(16, 2, true);
  im.SetBits(16, 3, 3, 0);  // interface code
  im.SetBit(16, 6, true);   // bit 7 keeps
  im.SetByte(17, 0x40);
  im.SetByte(18, 0x60);
  im.Fill(19, 3, 0);
  im.SetBit(22, 0, false);
  im.SetByte(23, 0);
  im.SetBits(24, 0, 6, 0b10'0000);  // bits 0-4 clear, bit 5 set; 6-7 keep
  for (int i = 0; i < 4; ++i) {
    im.SetByte(28 + i, static_cast<std::uint8_t>(kFactoryBluetoothPin[i]));
  }
  im.SetByte(32, 0);
  im.SetByte(44, 0x20);
  im.SetBits(45, 0, 3, 0);
  im.SetByte(46, 0x7F);
  im.Fill(47, 9, 0);

  // System flags and RFID power.
  im.SetBits(205, 0, 5, 0b0'1001);  // bits 0 and 3 set, 1, 2, 4 clear; 5-7 keep
  im.SetByte(206, 3);

  // Event output strings: trigger pressed and released, the other four empty.
  im.SetText(390, 10, "#@TRIGON\r");
  im.SetText(400, 10, "#@TRIGOFF\r");
  im.Fill(410, 40, 0);
  im.SetByte(450, 0x21);
  im.Fill(451, 2, 0);
}

void WriteOperationImageDefaults(SettingsImage& im) {
  WriteMemoryAndBufferDefaults(im);

  // Scan mode, Single TAG Mode and EPC filter records.
  im.SetByte(80, kScanModeSingleTag);
  im.SetByte(81, 0);
  im.SetByte(82, 0x80);
  im.SetBits(83, 0, 4, 0b0001);
  im.SetBits(88, 0, 5, 0b0'1000);
  im.SetBits(89, 0, 4, 0);
  im.Fill(90, 80, 0);  // 90-169
  im.SetByte(170, 5);
  im.Fill(171, 34, 0);  // 171-204
  im.SetByte(211, '0');
  im.Fill(212, 64, 0);  // 212-275

  // Data format, output sequence, counter and timestamp format.
  im.SetBits(320, 0, 4, 0);
  // Word at 321: bits 0, 4, 6, 7 set, bits 1-3, 5, 8 clear; 9-15 keep.
  im.SetBits(321, 0, 9, 0b0'1101'0001);
  im.SetBits(323, 0, 3, 0b101);
  im.SetByte(324, 0x20);
  im.Fill(325, 8, 0);  // 325-332
  im.SetByte(333, '.');
  im.Fill(334, 7, 0);  // 334-340
  im.SetBits(341, 0, 23, 0x43EAD1);
  im.SetByte(345, '-');
  im.SetByte(346, '-');
  im.SetByte(347, 0x20);
  im.SetByte(348, ':');
  im.SetByte(349, ':');
  im.SetByte(350, 0);
  im.SetByte(351, 0x20);
  im.Fill(352, 7, 0);  // 352-358
  im.SetByte(359, 0x20);
  im.Fill(360, 7, 0);  // 360-366

  // EPC Tag data fields: bits 1, 3, 4, 6 set, the rest of 0-14 clear; 15 keeps.
  im.SetBits(367, 0, 15, 0b101'1010);
  im.Fill(369, 4, 0);
  im.SetBits(373, 0, 2, 0);
  im.Fill(374, 8, 0);  // 374-381
  im.SetByte(382, 0x0D);
  im.Fill(383, 7, 0);  // 383-389
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
  state.image.SetBits(207, 0, 15, 0x7FFF);  // every tag type; bit 15 keeps
  state.clock_mode = ClockMode::kSyncWithHost;
}

}  // namespace k470
