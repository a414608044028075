#include "link/clock_command.h"

#include <cstdio>

namespace k470 {

std::string MakeClockCommand(const std::tm& t) {
  auto two = [](int v) { return static_cast<unsigned>(((v % 100) + 100) % 100); };
  char buf[32];
  std::snprintf(buf, sizeof buf, "#@SYS_TIME=%02u,%02u,%02u,%02u,%02u,%02u\r", two(t.tm_year),
                two(t.tm_mon + 1), two(t.tm_mday), two(t.tm_hour), two(t.tm_min), two(t.tm_sec));
  return buf;
}

std::string ClockCommandAt(std::chrono::system_clock::time_point when) {
  const std::time_t secs = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&secs, &local);
  return MakeClockCommand(local);
}

}  // namespace k470
