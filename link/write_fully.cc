#include "link/write_fully.h"

namespace k470 {
namespace {

constexpr Millis kPartialWritePause{30};
constexpr Millis kWriteStallLimit{2000};

}  // namespace

bool WriteFully(SerialPort& port, Clock& clock, std::span<const std::uint8_t> bytes) {
  Millis last_progress = clock.Now();
  while (!bytes.empty()) {
    const long n = port.Write(bytes);
    if (n < 0) return false;
    if (n > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(n));
      last_progress = clock.Now();
      if (bytes.empty()) break;
    } else if (clock.Now() - last_progress >= kWriteStallLimit) {
      return false;
    }
    clock.SleepFor(kPartialWritePause);
  }
  return true;
}

}  // namespace k470
