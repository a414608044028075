#include "settings/operation/output_controls.h"

#include "settings/operation/operation_lists.h"
#include "settings/system/interface_selection.h"

namespace k470 {

bool OutputControlsEnabled(SelectedInterface interface, int data_format_code) {
  return IsKeyboardInterface(interface) || data_format_code != kDataFormatPacket;
}

}  // namespace k470
