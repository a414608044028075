#include "pages/system/date_time_corrections.h"

#include "pages/system/date_rules.h"
#include "pages/system/numeric_correction.h"

namespace k470 {
namespace {

// A year and a month that name a real month: the day's range follows it and a
// day beyond the month's end is pulled back to it.
void FollowMonth(DateTimeTexts& t, unsigned year, unsigned month) {
  if (year == 0 || month < 1 || month > 12) return;
  t.day_max = static_cast<unsigned>(DaysInMonth(static_cast<int>(year), static_cast<int>(month)));
  if (NumberOf(t.day) > t.day_max) t.day = std::to_string(t.day_max);
}

void CorrectYear(DateTimeTexts& t) {
  unsigned year = NumberOf(t.year);
  if (year > kLastClockYear) {
    t.year = std::to_string(kLastClockYear);
  } else if (year < kFirstClockYear && t.year.size() >= 4) {
    t.year = std::to_string(kFirstClockYear);
  }
  year = NumberOf(t.year);
  if (year >= kFirstClockYear && year <= kLastClockYear) FollowMonth(t, year, NumberOf(t.month));
}

void CorrectMonth(DateTimeTexts& t) {
  if (auto corrected = CorrectNumber(t.month, 1, 12)) t.month = *corrected;
  FollowMonth(t, NumberOf(t.year), NumberOf(t.month));
}

void CorrectDay(DateTimeTexts& t) {
  const unsigned year = NumberOf(t.year);
  const unsigned month = NumberOf(t.month);
  const unsigned last =
      year > 0 && month >= 1 && month <= 12
          ? static_cast<unsigned>(DaysInMonth(static_cast<int>(year), static_cast<int>(month)))
          : 99;  // no month to follow: only the empty day is corrected
  if (auto corrected = CorrectNumber(t.day, 1, last)) t.day = *corrected;
}

}  // namespace

void CorrectDateTime(DateTimeTexts& t, DateTimeEdit changed) {
  switch (changed) {
    case DateTimeEdit::kYear:
      CorrectYear(t);
      break;
    case DateTimeEdit::kMonth:
      CorrectMonth(t);
      break;
    case DateTimeEdit::kDay:
      CorrectDay(t);
      break;
    case DateTimeEdit::kHour:
      if (auto corrected = CorrectNumber(t.hour, 0, 23)) t.hour = *corrected;
      break;
    case DateTimeEdit::kMinute:
      if (auto corrected = CorrectNumber(t.minute, 0, 59)) t.minute = *corrected;
      break;
    case DateTimeEdit::kSecond:
      if (auto corrected = CorrectNumber(t.second, 0, 59)) t.second = *corrected;
      break;
  }
}

void CorrectYearOnFocusOut(DateTimeTexts& t) {
  if (NumberOf(t.year) < kFirstClockYear) t.year = std::to_string(kFirstClockYear);
  CorrectYear(t);
}

}  // namespace k470
