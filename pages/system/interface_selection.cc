#include "pages/system/interface_selection.h"

namespace k470 {

void DeriveSelectedInterface(AppState& state) {
  const auto code = state.image.Bits(kInterfaceByte, 3, 3);
  if (code == 0) {
    state.selected_interface = SelectedInterface::kBluetoothSpp;
  } else if (code == 5) {
    state.selected_interface = SelectedInterface::kBluetoothHid;
  } else if (code == 6) {
    state.selected_interface = state.image.Byte(kVcomMarkerByte) == kVcomMarker
                                   ? SelectedInterface::kM912Vcom
                                   : SelectedInterface::kM912Hid;
  }
}

}  // namespace k470
