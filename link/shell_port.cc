#include "link/shell_port.h"

#include "link/port_discovery.h"

namespace k470 {
namespace {

constexpr Millis kPartialWritePause{30};
constexpr Millis kWriteStallLimit{2000};

}  // namespace

bool OpenShellPort(SerialPort& port, const std::string& name, OpenFailure* why) {
  port.Close();
  if (why) *why = OpenFailure::kCannotOpen;
  if (name.empty() || name == kNoPortRecord) return false;
  if (port.Open(name, LineSettings{})) return true;
  if (why) *why = port.last_open_failure();
  return false;
}

bool WriteToShellPort(SerialPort& port, Clock& clock, std::span<const std::uint8_t> bytes) {
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
    // The output queue is full; give the line time to drain it.
    clock.SleepFor(kPartialWritePause);
  }
  return true;
}

}  // namespace k470
