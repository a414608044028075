// The System page's settings and the interface dialogs' options over the
// image: what loads, what is stored back, and which bits a store may touch.
#include <gtest/gtest.h>

#include "core/defaults.h"
#include "pages/system/date_time_corrections.h"
#include "pages/system/event_strings.h"
#include "pages/system/interface_options.h"
#include "pages/system/interface_selection.h"
#include "pages/system/system_fields.h"

namespace k470 {
namespace {

using enum SelectedInterface;

TEST(SystemFieldsTest, InterfaceCodeAndByte18) {
  SettingsImage image;
  image.Fill(0, kImageSize, 0xFF);
  image.SetByte(18, 0x65);
  EncodeSelectedInterface(kBluetoothHid, image);
  EXPECT_EQ(image.Byte(16), 0xEF);  // 5 in bits 3-5, bits 0-2, 6-7 kept
  EXPECT_EQ(image.Byte(18), 0x65);
  EncodeSelectedInterface(kM912Hid, image);
  EXPECT_EQ(image.Byte(16), 0xF7);
  EXPECT_EQ(image.Byte(18), 0x65);
  EncodeSelectedInterface(kM912Vcom, image);
  EXPECT_EQ(image.Byte(18), 0x60);
  EncodeSelectedInterface(kBluetoothSpp, image);
  EXPECT_EQ(image.Byte(16), 0xC7);

  for (const auto& [before, after] :
       {std::pair{0x60, 0x61}, {0x6E, 0x6E}, {0x61, 0x61}, {0x6F, 0x61}, {0x41, 0x61}}) {
    image.SetByte(18, static_cast<std::uint8_t>(before));
    EnsureM912KeyboardType(image);
    EXPECT_EQ(image.Byte(18), after) << before;
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
    SettingsImage image;
    image.Fill(0, kImageSize, 0xEE);
    for (std::size_t i = 0; i < 10; ++i)
      image.SetByte(420 + i, static_cast<std::uint8_t>(c.stored[i]));
    const EventString shown = LoadEventString(image, 3);
    EXPECT_EQ(shown, c.shown) << c.stored;
    StoreEventString(image, 3, shown);
    EXPECT_EQ(image.Text(420, 10), c.stored.substr(0, c.stored.find('\0')));
    EXPECT_EQ(image.Byte(419), 0xEE);
    EXPECT_EQ(image.Byte(430), 0xEE);
  }
  // Checking the box on ten characters keeps nine of them, then the CR.
  SettingsImage image;
  StoreEventString(image, 0, {"ABCDEFGHIJ", true});
  EXPECT_EQ(image.Text(390, 10), "ABCDEFGHI\r");
  StoreEventString(image, 0, {"AB", false});
  EXPECT_EQ(image.Text(390, 10), "AB");
  EXPECT_EQ(image.Byte(399), 0) << "the rest of the field is cleared";
}

// What the dialogs show is checked through the sheet; here the bits they
// never show, and the texts two dialogs share.
TEST(InterfaceOptionsTest, OkKeepsHiddenBitsAndTheDialogsShareTheirTexts) {
  AppState state;
  New(state);
  SettingsImage& image = state.image;
  image.SetBits(23, 6, 2, 3);
  image.SetBits(24, 2, 2, 3);
  const SettingsImage before = image;
  InterfaceFields f = OpenInterfaceFields(kBluetoothHid, image);
  StoreKeyboardInterface(kBluetoothHid, f, image);
  EXPECT_EQ(image, before);

  // The S/N of M912 VCOM is the one M912 HID shows: nine bytes without a 0.
  f = OpenInterfaceFields(kM912Vcom, image);
  f.text = "123456789";
  StoreSerialInterface(kM912Vcom, f, image);
  EXPECT_EQ(image.Text(47, 9), "123456789");
  EXPECT_EQ(OpenInterfaceFields(kM912Hid, image).text, "123456789");

  // The PIN: shared by both Bluetooth dialogs; what follows its 0 byte stays.
  image.SetText(28, 16, "0000");
  image.SetByte(40, 0x7A);
  f = OpenInterfaceFields(kBluetoothSpp, image);
  EXPECT_EQ(f.text, "0000");
  f.text = "98765";
  StoreSerialInterface(kBluetoothSpp, f, image);
  EXPECT_EQ(OpenInterfaceFields(kBluetoothHid, image).text, "98765");
  EXPECT_EQ(image.Byte(33), 0);
  EXPECT_EQ(image.Byte(40), 0x7A);
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
