#include "link/pin_code.h"

#include <cstdint>

#include "link/write_fully.h"

namespace k470 {
namespace {

constexpr Millis kSettleTime{2000};

void PurgeAndClose(SerialPort& port) {
  if (port.IsOpen()) port.Purge();
  port.Close();
}

}  // namespace

bool SendPinCode(SerialPort& port, Clock& clock, const std::string& pin) {
  if (pin.size() > kMaxPinCodeLength) {
    PurgeAndClose(port);
    return false;
  }
  const std::string line = pin + "\r";
  const auto* data = reinterpret_cast<const std::uint8_t*>(line.data());
  if (!WriteFully(port, clock, {data, line.size()})) {
    PurgeAndClose(port);
    return false;
  }
  clock.SleepFor(kSettleTime);
  PurgeAndClose(port);
  return true;
}

}  // namespace k470
