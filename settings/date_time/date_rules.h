// The calendar of the Date & Time page: leap years, days in a month and which
// dates and times the reader's clock can take. k470ctl clock --time checks
// its argument with the same rules.
#pragma once

#include "core/clock_time.h"

namespace k470 {

// The clock command carries two year digits; these are the years it means.
inline constexpr int kFirstClockYear = 2000;
inline constexpr int kLastClockYear = 2099;

// Divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int year);

// 28 to 31; 0 for a month outside 1-12.
int DaysInMonth(int year, int month);

// A real date of the years above and a time of day (seconds 0-59).
bool IsValidClockTime(const ClockTime& time);

}  // namespace k470
