#include "settings/operation/operation_settings.h"

namespace k470 {
namespace {

// Stores a list code into `count` bits unless the list had nothing to store.
void StoreCode(SettingsImage& image, ImageField field, int code) {
  if (code < 0 || code >= (1 << field.bits)) return;
  image.SetField(field, static_cast<std::uint32_t>(code));
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
  s.memory_mode = im.Field(kMemoryMode) != 0;
  s.memory_delay = static_cast<int>(im.Field(kMemoryDelay));
  s.data_format =
      DataFormatToSelect(static_cast<int>(im.Field(kDataFormat)), state.selected_interface);
  s.transmission_buffer = im.Field(kTransmissionBuffer) != 0;
  s.transmit_delay = static_cast<int>(im.Field(kTransmitDelay));
  for (unsigned i = 0; i < 3; ++i) {
    s.output_sequence[i] = static_cast<int>(im.Field(OutputSequenceField(i)));
  }
  return s;
}

void AdoptStoredScanMode(AppState& state) {
  state.pending_scan_mode = static_cast<int>(state.image.Field(kPendingScanMode));
}

void StoreOperationSettings(const OperationSettings& s, AppState& state) {
  SettingsImage& im = state.image;
  im.SetField(kPendingScanMode, static_cast<std::uint32_t>(state.pending_scan_mode) & 0x0F);
  StoreCode(im, kMemoryDelay, s.memory_delay);
  im.SetField(kMemoryMode, s.memory_mode);
  StoreCode(im, kDataFormat, s.data_format);
  for (unsigned i = 0; i < 3; ++i) {
    StoreCode(im, OutputSequenceField(i), s.output_sequence[i]);
  }
  im.SetField(kTransmissionBuffer, s.transmission_buffer);
  StoreCode(im, kTransmitDelay, s.transmit_delay);
}

bool ChooseScanMode(AppState& state, int mode) {
  if (mode != kScanModeSingleTag && mode != kScanModeMultiTag && mode != kScanModeTest) {
    return false;
  }
  if (mode == kScanModeSingleTag) {
    // Bits 0-2 cleared, bit 3 set, bit 4 cleared; bits 5-7 keep.
    state.image.SetField(kSingleTagModeBits, 0b0'1000);
  }
  state.pending_scan_mode = mode;
  return true;
}

}  // namespace k470
