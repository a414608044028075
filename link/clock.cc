#include "link/clock.h"

#include <thread>

namespace k470 {
namespace {

class SteadyClockImpl : public Clock {
 public:
  Millis Now() override {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
  }
  void SleepFor(Millis duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace

Clock& SteadyClock() {
  static SteadyClockImpl clock;
  return clock;
}

}  // namespace k470
