// The 29-byte clock command: "#@SYS_TIME=yy,MM,dd,hh,mm,ss" and CR.
#pragma once

#include <chrono>
#include <ctime>
#include <string>

namespace k470 {

inline constexpr std::size_t kClockCommandSize = 29;

// From broken-down local time (tm_year counts from 1900, tm_mon from 0).
std::string MakeClockCommand(const std::tm& local);

// From the PC's local time at `when`.
std::string ClockCommandAt(std::chrono::system_clock::time_point when);

}  // namespace k470
