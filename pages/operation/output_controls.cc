#include "pages/operation/output_controls.h"

namespace k470 {

bool OutputControlsEnabled(SelectedInterface interface, int data_format_code) {
  const bool serial =
      interface == SelectedInterface::kBluetoothSpp || interface == SelectedInterface::kM912Vcom;
  return !(serial && data_format_code == kPacketDataFormat);
}

}  // namespace k470
