// The Bluetooth PIN code line: the one thing BT PIN Code sends to the reader.
#pragma once

#include <cstddef>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"

namespace k470 {

// The "Bluetooth PIN Code :" edit takes no more than this.
inline constexpr std::size_t kMaxPinCodeLength = 16;

// A PIN is 1 to 16 ASCII letters and digits. It goes to the reader as a bare
// line, so anything else could be a command ("#@SYS_MEMCLR") or two lines.
bool IsValidPinCode(const std::string& pin);

// Sends `pin` followed by CR, unchanged and without a command prefix, on the
// open shell port; waits 2000 ms for the reader to take it, then purges and
// closes the port. A PIN that is not valid is refused, never cut or sent.
// False when the PIN is refused or the write fails; the port is closed
// either way.
bool SendPinCode(SerialPort& port, Clock& clock, const std::string& pin);

}  // namespace k470
