#include "pages/system/interface_selection.h"

#include <gtest/gtest.h>

namespace k470 {
namespace {

TEST(InterfaceSelectionTest, DerivedFromCodeAndMarker) {
  struct Case {
    unsigned code;
    std::uint8_t marker;
    SelectedInterface expected;
  };
  const Case cases[] = {
      {0, 0x00, SelectedInterface::kBluetoothSpp},
      {5, 0x60, SelectedInterface::kBluetoothHid},
      {6, 0x60, SelectedInterface::kM912Vcom},
      {6, 0x61, SelectedInterface::kM912Hid},
      {3, 0x60, SelectedInterface::kM912Hid},  // unknown code: unchanged
      {7, 0x00, SelectedInterface::kM912Hid},
  };
  AppState state;
  state.image.Fill(0, kImageSize, 0xFF);  // the other bits of byte 16 must not matter
  state.selected_interface = SelectedInterface::kM912Hid;
  for (const auto& c : cases) {
    state.image.SetBits(16, 3, 3, c.code);
    state.image.SetByte(18, c.marker);
    DeriveSelectedInterface(state);
    EXPECT_EQ(state.selected_interface, c.expected) << "code " << c.code;
  }
}

}  // namespace
}  // namespace k470
