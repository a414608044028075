#include "pages/system/interface_selection.h"

#include <gtest/gtest.h>

#include <tuple>

namespace k470 {
namespace {

TEST(InterfaceSelectionTest, DerivedFromCodeAndMarkerAlone) {
  using enum SelectedInterface;
  const std::tuple<unsigned, std::uint8_t, SelectedInterface> cases[] = {{0, 0x00, kBluetoothSpp},
                                                                         {5, 0x60, kBluetoothHid},
                                                                         {6, 0x60, kM912Vcom},
                                                                         {6, 0x61, kM912Hid}};
  for (const auto& [code, marker, expected] : cases) {
    AppState state;
    state.image.Fill(0, kImageSize, 0xFF);  // the other bits of byte 16 must not matter
    state.selected_interface = expected == kM912Hid ? kBluetoothSpp : kM912Hid;
    state.image.SetBits(16, 3, 3, code);
    state.image.SetByte(18, marker);
    DeriveSelectedInterface(state);
    EXPECT_EQ(state.selected_interface, expected) << "code " << code;
  }
}

TEST(InterfaceSelectionTest, UnknownCodesLeaveEveryInterfaceAsItWas) {
  using enum SelectedInterface;
  for (const unsigned code : {1u, 2u, 3u, 4u, 7u}) {
    for (const auto before : {kBluetoothSpp, kBluetoothHid, kM912Vcom, kM912Hid}) {
      AppState state;
      state.selected_interface = before;
      state.image.SetBits(16, 3, 3, code);
      state.image.SetByte(18, 0x61);
      DeriveSelectedInterface(state);
      EXPECT_EQ(state.selected_interface, before) << "code " << code;
    }
  }
}

}  // namespace
}  // namespace k470
