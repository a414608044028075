// The PC's local time on Windows: localtime_s, the runtime's thread-safe
// form (its arguments are in the opposite order to C11's).
#include <ctime>

#include "link/clock_command.h"

namespace k470 {

ClockTime LocalClockTime(std::chrono::system_clock::time_point when) {
  const std::time_t secs = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  if (localtime_s(&local, &secs) != 0) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace k470
