#include "settings/system/interface_selection.h"

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
      image.SetBits(kInterfaceByte, 3, 3, 0);
      break;
    case SelectedInterface::kBluetoothHid:
      image.SetBits(kInterfaceByte, 3, 3, 5);
      break;
    case SelectedInterface::kM912Vcom:
      image.SetBits(kInterfaceByte, 3, 3, 6);
      image.SetByte(kVcomMarkerByte, kVcomMarker);
      break;
    case SelectedInterface::kM912Hid:
      image.SetBits(kInterfaceByte, 3, 3, 6);
      break;
  }
}

void EnsureM912KeyboardType(SettingsImage& image) {
  const std::uint8_t type = image.Byte(kVcomMarkerByte);
  if (type < kFirstM912KeyboardType || type > kLastM912KeyboardType) {
    image.SetByte(kVcomMarkerByte, kFirstM912KeyboardType);
  }
}

}  // namespace k470
