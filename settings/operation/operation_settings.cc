#include "settings/operation/operation_settings.h"

namespace k470 {
namespace {

// Stores a list code into `count` bits unless the list had nothing to store.
void StoreCode(SettingsImage& image, std::size_t offset, unsigned first, unsigned count, int code) {
  if (code < 0 || code >= (1 << count)) return;
  image.SetBits(offset, first, count, static_cast<std::uint32_t>(code));
}

}  // namespace

int DataFormatToSelect(int stored_code, SelectedInterface selected) {
  if (IsKeyboardInterface(selected)) {
    return stored_code == kDataFormatRaw ? kDataFormatRaw : kDataFormatKeyboardHexadecimal;
  }
  const auto list = DataFormatList(selected);
  return ListPositionOfCode(list, stored_code) == kNoCode ? kNoCode : stored_code;
}

OperationSettings LoadOperationSettings(const AppState& state) {
  const SettingsImage& im = state.image;
  OperationSettings s;
  s.memory_mode = im.Bit(kMemoryDataByte, 0);
  s.memory_delay = static_cast<int>(im.Bits(kMemoryDataByte, 1, 3));
  s.data_format = DataFormatToSelect(static_cast<int>(im.Bits(kDataFormatByte, 2, 2)),
                                     state.selected_interface);
  s.transmission_buffer = im.Bit(kTransmissionBufferByte, 0);
  s.transmit_delay = static_cast<int>(im.Bits(kTransmissionBufferByte, 1, 3));
  for (unsigned i = 0; i < 3; ++i) {
    s.output_sequence[i] = static_cast<int>(im.Bits(kOutputSequenceWord, 3 * i, 3));
  }
  return s;
}

void AdoptStoredScanMode(AppState& state) {
  state.pending_scan_mode = static_cast<int>(state.image.Bits(kScanModeByte, 0, 4));
}

void StoreOperationSettings(const OperationSettings& s, AppState& state) {
  SettingsImage& im = state.image;
  im.SetBits(kScanModeByte, 0, 4, static_cast<std::uint32_t>(state.pending_scan_mode) & 0x0F);
  StoreCode(im, kMemoryDataByte, 1, 3, s.memory_delay);
  im.SetBit(kMemoryDataByte, 0, s.memory_mode);
  StoreCode(im, kDataFormatByte, 2, 2, s.data_format);
  for (unsigned i = 0; i < 3; ++i) {
    StoreCode(im, kOutputSequenceWord, 3 * i, 3, s.output_sequence[i]);
  }
  im.SetBit(kTransmissionBufferByte, 0, s.transmission_buffer);
  StoreCode(im, kTransmissionBufferByte, 1, 3, s.transmit_delay);
}

bool ChooseScanMode(AppState& state, int mode) {
  if (mode != kScanModeSingleTag && mode != kScanModeMultiTag && mode != kScanModeTest) {
    return false;
  }
  if (mode == kScanModeSingleTag) {
    // Bits 0-2 cleared, bit 3 set, bit 4 cleared; bits 5-7 keep.
    state.image.SetBits(kSingleTagModeByte, 0, 5, 0b0'1000);
  }
  state.pending_scan_mode = mode;
  return true;
}

}  // namespace k470
