// Time as the reader link sees it: a monotonic millisecond tick and a sleep.
// Production uses the steady clock; tests use a virtual clock so that the
// 2000 ms idle time-outs cost no real time.
#pragma once

#include <chrono>

namespace k470 {

using Millis = std::chrono::milliseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Millis Now() = 0;
  virtual void SleepFor(Millis duration) = 0;
};

// The process-wide steady clock.
Clock& SteadyClock();

// A clock that only moves when it is told to (SleepFor, Advance). For tests.
class VirtualClock : public Clock {
 public:
  Millis Now() override { return now_; }
  void SleepFor(Millis duration) override { now_ += duration; }
  void Advance(Millis duration) { now_ += duration; }

 private:
  Millis now_{0};
};

}  // namespace k470
