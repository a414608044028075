// The System page's codecs below its widgets: the interface derived from the
// image, and the event strings.
#include <gtest/gtest.h>

#include "settings/system/event_strings.h"
#include "settings/system/interface_selection.h"

namespace k470 {
namespace {

using enum SelectedInterface;

TEST(InterfaceSelectionTest, DerivedFromCodeAndMarkerAlone) {
  using enum SelectedInterface;
  const std::tuple<unsigned, std::uint8_t, SelectedInterface> cases[] = {{0, 0x00, kBluetoothSpp},
                                                                         {5, 0x60, kBluetoothHid},
                                                                         {6, 0x60, kM912Vcom},
                                                                         {6, 0x61, kM912Hid}};
  for (const auto& [code, marker, expected] : cases) {
    AppState state;
    state.image.Fill(0, kImageSize, 0xFF);  // the other bits of the code's byte must not matter
    state.selected_interface = expected == kM912Hid ? kBluetoothSpp : kM912Hid;
    state.image.SetField(kInterfaceCode, code);
    state.image.SetField(kM912KeyboardType, marker);
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
      state.image.SetField(kInterfaceCode, code);
      state.image.SetField(kM912KeyboardType, 0x61);
      DeriveSelectedInterface(state);
      EXPECT_EQ(state.selected_interface, before) << "code " << code;
    }
  }
}

TEST(EventStringsTest, CrBoxTenCharactersAndPadding) {
  const struct {
    std::string stored;  // ten bytes
    EventString shown;
  } cases[] = {
      {"ABCDEFGHIJ", {"ABCDEFGHIJ", false}},
      {"ABCDEFGHI\r", {"ABCDEFGHI", true}},
      {std::string("\r") + std::string(9, '\0'), {"", true}},
      {std::string(10, '\0'), {"", false}},
      {std::string("AB\rC") + std::string(6, '\0'), {"AB\rC", false}},
  };
  for (const auto& c : cases) {
    const ImageArea string4 = EventStringArea(3);
    SettingsImage image;
    image.Fill(0, kImageSize, 0xEE);
    for (std::size_t i = 0; i < string4.length; ++i)
      image.SetByte(string4.offset + i, static_cast<std::uint8_t>(c.stored[i]));
    const EventString shown = LoadEventString(image, 3);
    EXPECT_EQ(shown, c.shown) << c.stored;
    StoreEventString(image, 3, shown);
    EXPECT_EQ(image.Text(string4), c.stored.substr(0, c.stored.find('\0')));
    EXPECT_EQ(image.Byte(string4.offset - 1), 0xEE);
    EXPECT_EQ(image.Byte(string4.offset + string4.length), 0xEE);
  }
  // Checking the box on ten characters keeps nine of them, then the CR.
  SettingsImage image;
  StoreEventString(image, 0, {"ABCDEFGHIJ", true});
  EXPECT_EQ(image.Text(EventStringArea(0)), "ABCDEFGHI\r");
  StoreEventString(image, 0, {"AB", false});
  EXPECT_EQ(image.Text(EventStringArea(0)), "AB");
  EXPECT_EQ(image.Byte(EventStringArea(1).offset - 1), 0) << "the rest of the field is cleared";
}

}  // namespace
}  // namespace k470
