// The port that BT PIN Code and Upload Memory Data open for themselves,
// outside the device-operations driver, and the full write they both use.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"

namespace k470 {

// Closes whatever `port` held, then opens `name` at 115200 baud, 8 data bits,
// no parity, 1 stop bit, no flow control. False, with the port closed, when it
// cannot be opened; "-Select-" and "" name no port and are never tried. `why`,
// when given, then tells whether the device or its line settings failed.
bool OpenShellPort(SerialPort& port, const std::string& name, OpenFailure* why = nullptr);

// Writes all of `bytes`, going on after a partial write once 30 ms have
// passed. False when the port reports an error or takes nothing for 2000 ms.
bool WriteToShellPort(SerialPort& port, Clock& clock, std::span<const std::uint8_t> bytes);

}  // namespace k470
