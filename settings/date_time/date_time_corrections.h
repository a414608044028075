// The corrections of the Date & Time page's six edits. A change to one edit
// may correct it and, for the year and the month, the day and the day
// spin's range; the page shows what these functions leave in the texts.
#pragma once

#include <string>

namespace k470 {

enum class DateTimeEdit { kYear, kMonth, kDay, kHour, kMinute, kSecond };

struct DateTimeTexts {
  std::string year, month, day, hour, minute, second;
  int day_max = 31;  // the day spin's upper end
  friend bool operator==(const DateTimeTexts&, const DateTimeTexts&) = default;
};

// After `changed` took a new text. A text that already holds a number within
// its range is never rewritten; a corrected text is checked again as the
// edit would check its own new text, so a month of 13 becomes 12 and the day
// range then follows December.
void CorrectDateTime(DateTimeTexts& texts, DateTimeEdit changed);

// The year edit lost the focus: a year below 2000, an empty one included,
// becomes 2000 (and the day follows).
void CorrectYearOnFocusOut(DateTimeTexts& texts);

}  // namespace k470
