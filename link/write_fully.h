// Writing all of a command to a port whose output queue may be full: the
// reader link, the memorized-data upload and the PIN code line share it.
#pragma once

#include <cstdint>
#include <span>

#include "link/clock.h"
#include "link/serial_port.h"

namespace k470 {

// Writes all of `bytes`, pausing 30 ms after each partial write so the line
// can drain the queue. False when the port reports an error or takes nothing
// for 2000 ms.
bool WriteFully(SerialPort& port, Clock& clock, std::span<const std::uint8_t> bytes);

}  // namespace k470
