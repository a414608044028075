// The calendar of the Date & Time page: which clock times are real, and how
// its edits are corrected.
#include <gtest/gtest.h>

#include <sstream>

#include "settings/date_time/date_rules.h"
#include "settings/date_time/date_time_corrections.h"

namespace k470 {
namespace {

// Leap years and month lengths are checked through the date corrections.
TEST(DateRulesTest, OnlyRealDatesOfTheClocksCenturyAndTimesOfDayAreValid) {
  EXPECT_TRUE(IsValidClockTime({2000, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(IsValidClockTime({2099, 12, 31, 23, 59, 59}));
  EXPECT_TRUE(IsValidClockTime({2024, 2, 29, 12, 0, 0}));
  const ClockTime invalid[] = {
      {1999, 12, 31, 0, 0, 0}, {2100, 1, 1, 0, 0, 0},  {2023, 2, 29, 0, 0, 0},
      {2024, 4, 31, 0, 0, 0},  {2024, 13, 1, 0, 0, 0}, {2024, 1, 0, 0, 0, 0},
      {2024, 1, 1, 24, 0, 0},  {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
      {2024, 1, 1, -1, 0, 0},
  };
  for (const ClockTime& t : invalid) {
    EXPECT_FALSE(IsValidClockTime(t)) << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour
                                      << ':' << t.minute << ':' << t.second;
  }
}

// "yyyy mm dd hh mm ss" and the day spin's upper end.
DateTimeTexts Texts(const std::string& text, int day_max) {
  DateTimeTexts t;
  std::istringstream(text) >> t.year >> t.month >> t.day >> t.hour >> t.minute >> t.second;
  t.day_max = day_max;
  return t;
}

TEST(DateTimeCorrectionsTest, EditsFollowTheCalendarAndTheirRanges) {
  using enum DateTimeEdit;
  std::string DateTimeTexts::*const edited[] = {&DateTimeTexts::year,   &DateTimeTexts::month,
                                                &DateTimeTexts::day,    &DateTimeTexts::hour,
                                                &DateTimeTexts::minute, &DateTimeTexts::second};
  const DateTimeTexts leap_day = Texts("2024 02 29 12 30 45", 29);
  const struct {
    const char* name;
    DateTimeEdit edit;
    std::string typed;
    DateTimeTexts expected;
  } cases[] = {
      {"2023 has no 29 February", kYear, "2023", Texts("2023 02 28 12 30 45", 28)},
      {"2000 is a leap year", kYear, "2000", Texts("2000 02 29 12 30 45", 29)},
      {"four digits below 2000", kYear, "1999", Texts("2000 02 29 12 30 45", 29)},
      {"2100 is out of reach", kYear, "2100", Texts("2099 02 28 12 30 45", 28)},
      {"a year being typed", kYear, "19", Texts("19 02 29 12 30 45", 29)},
      {"month 13", kMonth, "13", Texts("2024 12 29 12 30 45", 31)},
      {"emptied month", kMonth, "", Texts("2024 1 29 12 30 45", 31)},
      {"April", kMonth, "4", Texts("2024 4 29 12 30 45", 30)},
      {"day past the month", kDay, "30", Texts("2024 02 29 12 30 45", 29)},
      {"emptied day", kDay, "", Texts("2024 02 1 12 30 45", 29)},
      {"hour 24", kHour, "24", Texts("2024 02 29 23 30 45", 29)},
      {"emptied hour", kHour, "", Texts("2024 02 29 0 30 45", 29)},
      {"minute 60", kMinute, "60", Texts("2024 02 29 12 59 45", 29)},
      {"second 07 stays", kSecond, "07", Texts("2024 02 29 12 30 07", 29)},
  };
  for (const auto& c : cases) {
    DateTimeTexts texts = leap_day;
    texts.*edited[static_cast<int>(c.edit)] = c.typed;
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
