#include "link/clock_command.h"

#include <cstdio>
#include <ctime>

namespace k470 {

std::string MakeClockCommand(const ClockTime& t) {
  auto two = [](int v) { return static_cast<unsigned>(((v % 100) + 100) % 100); };
  char buf[32];
  std::snprintf(buf, sizeof buf, "#@SYS_TIME=%02u,%02u,%02u,%02u,%02u,%02u\r", two(t.year),
                two(t.month), two(t.day), two(t.hour), two(t.minute), two(t.second));
  return buf;
}

ClockTime LocalClockTime(std::chrono::system_clock::time_point when) {
  const std::time_t secs = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&secs, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string ClockCommandAt(std::chrono::system_clock::time_point when) {
  return MakeClockCommand(LocalClockTime(when));
}

}  // namespace k470
