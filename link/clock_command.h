// The 29-byte clock command, "#@SYS_TIME=yy,MM,dd,hh,mm,ss" and CR, and the
// local date and time it is made from.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace k470 {

inline constexpr std::size_t kClockCommandSize = 29;

// A local date and time with the year in full and month and day from 1.
struct ClockTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// The command for `time`; the reader takes only the year's last two digits.
std::string MakeClockCommand(const ClockTime& time);

// The PC's local date and time at `when`.
ClockTime LocalClockTime(std::chrono::system_clock::time_point when);

// The command for the PC's local time at `when`.
std::string ClockCommandAt(std::chrono::system_clock::time_point when);

}  // namespace k470
