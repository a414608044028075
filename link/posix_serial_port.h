// The serial port on POSIX: termios, exclusive access, and waits that block
// in poll() so a program waiting for the reader uses no CPU.
#pragma once

#include "link/serial_port.h"

namespace k470 {

class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool Open(const std::string& name, const LineSettings& settings) override;
  bool IsOpen() const override { return fd_ >= 0; }
  void Close() override;
  void Purge() override;
  long Write(std::span<const std::uint8_t> bytes) override;
  long Read(std::span<std::uint8_t> buf, Millis wait) override;

  // Why the last Open failed, for messages such as k470ctl's ("" after success).
  const std::string& last_error() const { return last_error_; }
  // The errno of the open(2) that failed in the last Open; 0 when it did not
  // fail there (PortAccessAdvice tells what to do about EACCES).
  int last_open_errno() const { return last_open_errno_; }
  OpenFailure last_open_failure() const override { return last_open_failure_; }

 private:
  bool Configure(const LineSettings& settings);
  void RaiseModemLines();

  int fd_ = -1;
  std::string last_error_;
  int last_open_errno_ = 0;
  OpenFailure last_open_failure_ = OpenFailure::kCannotOpen;
};

}  // namespace k470
