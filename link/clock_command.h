// The 29-byte clock command, "#@SYS_TIME=yy,MM,dd,hh,mm,ss" and CR, and the
// local date and time it is made from.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "core/clock_time.h"
#include "link/protocol_layout.h"

namespace k470 {

inline constexpr std::size_t kClockCommandSize = kClockFieldsAt + kClockFieldsLength + 1;

// The command for `time`; the reader takes only the year's last two digits.
std::string MakeClockCommand(const ClockTime& time);

// The PC's local date and time at `when`.
ClockTime LocalClockTime(std::chrono::system_clock::time_point when);

// The command for the PC's local time at `when`.
std::string ClockCommandAt(std::chrono::system_clock::time_point when);

}  // namespace k470
