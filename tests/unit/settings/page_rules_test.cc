// The Qt-free rules the pages and k470ctl share: numeric corrections, the
// calendar of the Date & Time page, the filter controls of the Single TAG
// Mode dialog.
#include <gtest/gtest.h>

#include <climits>

#include "core/numeric_correction.h"
#include "settings/date_time/date_rules.h"
#include "settings/tagfilter/filter_enable_rule.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {
namespace {

TEST(NumericCorrectionTest, OutOfRangeAndEmptyAreReplacedInRangeTextsStay) {
  const struct {
    const char* text;
    int min, max;
    std::optional<std::string> shown;
  } cases[] = {
      {"300", 0, 254, "254"},       {"", 0, 254, "0"},   {"", 1, 254, "1"},
      {"0", 1, 254, "1"},           {"254", 0, 254, {}}, {"007", 1, 254, {}},
      {"99999999999", 0, 59, "59"},  // beyond int: still "above the maximum"
      {"2099", 2000, 2099, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CorrectToRange(c.text, c.min, c.max), c.shown) << '"' << c.text << '"';
  }
  EXPECT_EQ(NumericValue("99999999999"), INT_MAX);
}

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

TEST(FilterEnableRuleTest, TagTypeFilterTypeAndMethodDecideTheControls) {
  using enum FilterType;
  using enum FilterMethod;
  const struct {
    FilterType type;
    std::optional<std::uint8_t> header;
    FilterMethod method;
    // filter type, scheme, by filter value, filter value, pattern1, second field
    FilterEnables on;
  } cases[] = {
      {kIncludeEpc, std::nullopt, kSecondField, {}},
      {kDisableFilter, kHeaderSgtin96, kSecondField, {true, false, false, false, false, false}},
      {kIncludeEpc, kHeaderSgtin96, kFilterValue, {true, true, true, true, false, false}},
      {kExcludeEpc, kHeaderSgtin96, kFirstField, {true, true, true, false, true, false}},
      {kIncludeEpc, kHeaderSgtin96, kSecondField, {true, true, true, false, true, true}},
      {kNoSelection, kHeaderSgtin96, kFirstField, {true, true, true, false, true, false}},
      {kExcludeEpc, kHeaderGid96, kSecondField, {true, true, false, false, true, true}},
      // A stored zero-length filter: its radio stays checked, not offered.
      {kIncludeEpc, kHeaderGid96, kFilterValue, {true, true, false, true, false, false}},
      {kDisableFilter, kHeaderGid96, kFilterValue, {true, false, false, false, false, false}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(FilterEnableRule(c.type, c.header, c.method), c.on) << "row " << i;
  }
}

}  // namespace
}  // namespace k470
