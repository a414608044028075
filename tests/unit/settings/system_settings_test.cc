// The System page's rules below its widgets: the interface derived from the
// image, the event strings and the Date & Time corrections.
#include <gtest/gtest.h>

#include "settings/date_time/date_time_corrections.h"
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

TEST(DateTimeCorrectionsTest, EditsFollowTheCalendarAndTheirRanges) {
  using enum DateTimeEdit;
  const DateTimeTexts leap_day{"2024", "02", "29", "12", "30", "45", 29};
  const struct {
    const char* name;
    DateTimeEdit edit;
    std::string DateTimeTexts::*field;
    std::string typed;
    DateTimeTexts expected;
  } cases[] = {
      {"2023 has no 29 February",
       kYear,
       &DateTimeTexts::year,
       "2023",
       {"2023", "02", "28", "12", "30", "45", 28}},
      {"2000 is a leap year",
       kYear,
       &DateTimeTexts::year,
       "2000",
       {"2000", "02", "29", "12", "30", "45", 29}},
      {"four digits below 2000",
       kYear,
       &DateTimeTexts::year,
       "1999",
       {"2000", "02", "29", "12", "30", "45", 29}},
      {"2100 is out of reach",
       kYear,
       &DateTimeTexts::year,
       "2100",
       {"2099", "02", "28", "12", "30", "45", 28}},
      {"a year being typed",
       kYear,
       &DateTimeTexts::year,
       "19",
       {"19", "02", "29", "12", "30", "45", 29}},
      {"month 13", kMonth, &DateTimeTexts::month, "13", {"2024", "12", "29", "12", "30", "45", 31}},
      {"emptied month",
       kMonth,
       &DateTimeTexts::month,
       "",
       {"2024", "1", "29", "12", "30", "45", 31}},
      {"April", kMonth, &DateTimeTexts::month, "4", {"2024", "4", "29", "12", "30", "45", 30}},
      {"day past the month",
       kDay,
       &DateTimeTexts::day,
       "30",
       {"2024", "02", "29", "12", "30", "45", 29}},
      {"emptied day", kDay, &DateTimeTexts::day, "", {"2024", "02", "1", "12", "30", "45", 29}},
      {"hour 24", kHour, &DateTimeTexts::hour, "24", {"2024", "02", "29", "23", "30", "45", 29}},
      {"emptied hour", kHour, &DateTimeTexts::hour, "", {"2024", "02", "29", "0", "30", "45", 29}},
      {"minute 60",
       kMinute,
       &DateTimeTexts::minute,
       "60",
       {"2024", "02", "29", "12", "59", "45", 29}},
      {"second 07 stays",
       kSecond,
       &DateTimeTexts::second,
       "07",
       {"2024", "02", "29", "12", "30", "07", 29}},
  };
  for (const auto& c : cases) {
    DateTimeTexts texts = leap_day;
    texts.*c.field = c.typed;
    CorrectDateTime(texts, c.edit);
    EXPECT_EQ(texts, c.expected) << c.name;
  }
  DateTimeTexts texts = leap_day;
  texts.year = "19";
  CorrectYearOnFocusOut(texts);
  EXPECT_EQ(texts.year, "2000");
  texts.year = "";
  CorrectYearOnFocusOut(texts);
  EXPECT_EQ(texts.year, "2000");
}

}  // namespace
}  // namespace k470
