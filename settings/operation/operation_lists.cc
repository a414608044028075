#include "settings/operation/operation_lists.h"

namespace k470 {

std::span<const ListEntry> DataFormatList(SelectedInterface selected) {
  switch (selected) {
    case SelectedInterface::kBluetoothSpp:
    case SelectedInterface::kM912Vcom:
      return kSerialDataFormatList;
    case SelectedInterface::kBluetoothHid:
    case SelectedInterface::kM912Hid:
      return kKeyboardDataFormatList;
  }
  return {};
}

int ListPositionOfCode(std::span<const ListEntry> list, int code) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].code == code) return static_cast<int>(i);
  }
  return kNoCode;
}

}  // namespace k470
