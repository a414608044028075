#include "link/clock_command.h"

#include <cstdio>

namespace k470 {

std::string MakeClockCommand(const ClockTime& t) {
  auto two = [](int v) { return static_cast<unsigned>(((v % 100) + 100) % 100); };
  char buf[32];
  std::snprintf(buf, sizeof buf, "#@SYS_TIME=%02u,%02u,%02u,%02u,%02u,%02u\r", two(t.year),
                two(t.month), two(t.day), two(t.hour), two(t.minute), two(t.second));
  return buf;
}

std::string ClockCommandAt(std::chrono::system_clock::time_point when) {
  return MakeClockCommand(LocalClockTime(when));
}

}  // namespace k470
