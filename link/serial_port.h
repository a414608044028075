// One small interface over a serial port, so the transport, the upload and the
// tests do not care whether bytes come from a termios device or a script.
// Implementations: PosixSerialPort (posix_serial_port.h), WindowsSerialPort
// (windows_serial_port.h), TracingPort (tracing_port.h) and the scripted
// ports of the unit tests; native_serial_port.h names the build's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/app_state.h"
#include "link/clock.h"

namespace k470 {

// Why an Open returned false: the device itself, or the line settings it was
// given. The utility dialogs tell the user which.
enum class OpenFailure { kCannotOpen, kLineSettingsRefused };

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the device at `name` exclusively and applies the line settings.
  // An open port is closed first. False when the device cannot be opened, is
  // no terminal device (nothing is written to it then) or refuses the
  // settings; the port is then closed.
  virtual bool Open(const std::string& name, const LineSettings& settings) = 0;
  virtual bool IsOpen() const = 0;

  // After an Open that returned false: which step failed.
  virtual OpenFailure last_open_failure() const { return OpenFailure::kCannotOpen; }

  // Purges as below, then closes; nothing happens when the port is closed.
  virtual void Close() = 0;

  // Discards what has arrived unread. What was written but has not left yet
  // is given a short time to go (a command that awaits no reply is often
  // followed at once by a purge or a close); only what is still stuck after
  // that is dropped. The port stays open.
  virtual void Purge() = 0;

  // Writes once; returns the bytes accepted (possibly fewer than given) or -1.
  virtual long Write(std::span<const std::uint8_t> bytes) = 0;

  // Returns up to buf.size() bytes that have arrived, waiting at most `wait`
  // for the first one: 0 when none came, -1 on an error, at once. A device
  // that has gone away (unplugged) keeps returning -1: callers stop there.
  virtual long Read(std::span<std::uint8_t> buf, Millis wait) = 0;
};

// Baud rate of a baud index of the line settings (0 -> 115200 ... 8 -> 600);
// 0 for an index outside the table.
int BaudRateOfIndex(int baud_index);

// True when `name` can be opened exclusively right now; it is closed again at
// once. The main window's presence poll asks this every three seconds.
// Defined by the platform's port (posix_serial_port.cc, windows_serial_port.cc).
bool PortCanBeOpened(const std::string& name);

}  // namespace k470
