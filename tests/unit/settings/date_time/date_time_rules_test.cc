// The calendar of the Date & Time page: which clock times are real, and how
// its edits are corrected.
#include <gtest/gtest.h>

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
