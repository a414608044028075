// A local date and time as the reader's clock and the Date & Time page hold
// it, with the year in full and month and day from 1.
#pragma once

namespace k470 {

struct ClockTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

}  // namespace k470
