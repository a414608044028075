// The port that BT PIN Code and Upload Memory Data open for themselves,
// outside the device-operations driver.
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

}  // namespace k470
