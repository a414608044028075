#include "cli/interruptible_port.h"

#include <algorithm>

#include "cli/interrupt.h"

namespace k470::cli {

bool InterruptiblePort::Open(const std::string& name, const LineSettings& settings) {
  if (Interrupted()) return false;
  return port_.Open(name, settings);
}

long InterruptiblePort::Read(std::span<std::uint8_t> buf, Millis wait) {
  constexpr Millis kSlice{100};
  for (;;) {
    if (Interrupted()) return -1;
    const Millis now = std::min(wait, kSlice);
    const long n = port_.Read(buf, now);
    wait -= now;
    if (n != 0 || wait <= Millis(0)) return n;
  }
}

}  // namespace k470::cli
