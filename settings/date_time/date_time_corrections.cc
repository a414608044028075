#include "settings/date_time/date_time_corrections.h"

#include "core/numeric_correction.h"
#include "settings/date_time/date_rules.h"

namespace k470 {
namespace {

// A year and a month that name a real month: the day's range follows it and a
// day beyond the month's end is pulled back to it.
void FollowMonth(DateTimeTexts& t, int year, int month) {
  if (year <= 0 || month < 1 || month > 12) return;
  t.day_max = DaysInMonth(year, month);
  if (NumericValue(t.day) > t.day_max) t.day = std::to_string(t.day_max);
}

void CorrectYear(DateTimeTexts& t) {
  int year = NumericValue(t.year);
  if (year > kLastClockYear) {
    t.year = std::to_string(kLastClockYear);
  } else if (year < kFirstClockYear && t.year.size() >= 4) {
    t.year = std::to_string(kFirstClockYear);
  }
  year = NumericValue(t.year);
  if (year >= kFirstClockYear && year <= kLastClockYear) {
    FollowMonth(t, year, NumericValue(t.month));
  }
}

void CorrectMonth(DateTimeTexts& t) {
  if (auto corrected = CorrectToRange(t.month, 1, 12)) t.month = *corrected;
  FollowMonth(t, NumericValue(t.year), NumericValue(t.month));
}

void CorrectDay(DateTimeTexts& t) {
  const int year = NumericValue(t.year);
  const int month = NumericValue(t.month);
  // Without a month to follow only the empty day is corrected.
  const int last = year > 0 && month >= 1 && month <= 12 ? DaysInMonth(year, month) : 99;
  if (auto corrected = CorrectToRange(t.day, 1, last)) t.day = *corrected;
}

void Correct(std::string& text, int min, int max) {
  if (auto corrected = CorrectToRange(text, min, max)) text = *corrected;
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
      Correct(t.hour, 0, 23);
      break;
    case DateTimeEdit::kMinute:
      Correct(t.minute, 0, 59);
      break;
    case DateTimeEdit::kSecond:
      Correct(t.second, 0, 59);
      break;
  }
}

void CorrectYearOnFocusOut(DateTimeTexts& t) {
  if (NumericValue(t.year) < kFirstClockYear) t.year = std::to_string(kFirstClockYear);
  CorrectYear(t);
}

}  // namespace k470
