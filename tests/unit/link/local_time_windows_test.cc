// The clock command's local time on Windows agrees with the system's own.
#include <gtest/gtest.h>
#include <windows.h>

#include "link/clock_command.h"

namespace k470 {
namespace {

TEST(LocalTimeWindowsTest, IsTheTimeWindowsCallsLocal) {
  // Read the system's local time on both sides of ours, and compare once
  // both fell into the same second.
  for (int attempt = 0; attempt < 10; ++attempt) {
    SYSTEMTIME before{}, after{};
    ::GetLocalTime(&before);
    const ClockTime ours = LocalClockTime(std::chrono::system_clock::now());
    ::GetLocalTime(&after);
    if (before.wSecond != after.wSecond || before.wMinute != after.wMinute) continue;
    EXPECT_EQ(ours, (ClockTime{after.wYear, after.wMonth, after.wDay, after.wHour, after.wMinute,
                               after.wSecond}));
    return;
  }
  FAIL() << "the second never stood still";
}

}  // namespace
}  // namespace k470
