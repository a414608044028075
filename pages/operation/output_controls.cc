#include "pages/operation/output_controls.h"

#include "pages/operation/operation_lists.h"
#include "pages/system/interface_selection.h"

namespace k470 {

bool OutputControlsEnabled(SelectedInterface interface, int data_format_code) {
  return IsKeyboardInterface(interface) || data_format_code != kDataFormatPacket;
}

}  // namespace k470
