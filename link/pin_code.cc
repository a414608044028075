#include "link/pin_code.h"

#include <algorithm>
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

bool IsValidPinCode(const std::string& pin) {
  return !pin.empty() && pin.size() <= kMaxPinCodeLength &&
         std::all_of(pin.begin(), pin.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
         });
}

bool SendPinCode(SerialPort& port, Clock& clock, const std::string& pin) {
  if (!IsValidPinCode(pin)) {
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
