#include "settings/system/interface_selection.h"

namespace k470 {

void DeriveSelectedInterface(AppState& state) {
  const auto code = state.image.Field(kInterfaceCode);
  if (code == 0) {
    state.selected_interface = SelectedInterface::kBluetoothSpp;
  } else if (code == 5) {
    state.selected_interface = SelectedInterface::kBluetoothHid;
  } else if (code == 6) {
    state.selected_interface = state.image.Field(kM912KeyboardType) == kVcomMarker
                                   ? SelectedInterface::kM912Vcom
                                   : SelectedInterface::kM912Hid;
  }
}

std::optional<SelectedInterface> StoredInterface(const SettingsImage& image) {
  // Derived over two different starting values: an unknown code keeps either.
  AppState a;
  a.image = image;
  a.selected_interface = SelectedInterface::kBluetoothSpp;
  AppState b = a;
  b.selected_interface = SelectedInterface::kBluetoothHid;
  DeriveSelectedInterface(a);
  DeriveSelectedInterface(b);
  if (a.selected_interface != b.selected_interface) return std::nullopt;
  return a.selected_interface;
}

void EncodeSelectedInterface(SelectedInterface interface, SettingsImage& image) {
  switch (interface) {
    case SelectedInterface::kBluetoothSpp:
      image.SetField(kInterfaceCode, 0);
      break;
    case SelectedInterface::kBluetoothHid:
      image.SetField(kInterfaceCode, 5);
      break;
    case SelectedInterface::kM912Vcom:
      image.SetField(kInterfaceCode, 6);
      image.SetField(kM912KeyboardType, kVcomMarker);
      break;
    case SelectedInterface::kM912Hid:
      image.SetField(kInterfaceCode, 6);
      break;
  }
}

void EnsureM912KeyboardType(SettingsImage& image) {
  const std::uint32_t type = image.Field(kM912KeyboardType);
  if (type < kFirstM912KeyboardType || type > kLastM912KeyboardType) {
    image.SetField(kM912KeyboardType, kFirstM912KeyboardType);
  }
}

}  // namespace k470
