// The serial port on Windows, through the Win32 file API: CreateFileA on the
// device with no sharing (the system's own rule keeps every other program
// out while we hold it), the line set with SetCommState, and waits that block
// in ReadFile under read time-outs, so a program waiting for the reader uses
// no CPU.
#pragma once

#include "link/serial_port.h"

namespace k470 {

class WindowsSerialPort : public SerialPort {
 public:
  WindowsSerialPort() = default;
  ~WindowsSerialPort() override;
  WindowsSerialPort(const WindowsSerialPort&) = delete;
  WindowsSerialPort& operator=(const WindowsSerialPort&) = delete;

  // `name` as users type it: "COM7" opens \\.\COM7 (see WindowsDeviceName).
  bool Open(const std::string& name, const LineSettings& settings) override;
  bool IsOpen() const override { return handle_ != nullptr; }
  void Close() override;
  void Purge() override;
  long Write(std::span<const std::uint8_t> bytes) override;
  long Read(std::span<std::uint8_t> buf, Millis wait) override;

  // Why the last Open failed, for messages such as k470ctl's ("" after success).
  const std::string& last_error() const { return last_error_; }
  // Windows reports no errno (a port that another program holds is named
  // in last_error()): always 0, for code that asks either port.
  int last_open_errno() const { return 0; }
  OpenFailure last_open_failure() const override { return last_open_failure_; }

 private:
  bool Configure(const LineSettings& settings);
  bool SetReadWait(Millis wait);
  void RaiseModemLines();

  void* handle_ = nullptr;       // a HANDLE; windows.h stays out of this header
  long long read_wait_ms_ = -1;  // the read time-out the device holds now
  std::string last_error_;
  OpenFailure last_open_failure_ = OpenFailure::kCannotOpen;
};

// The name CreateFileA needs for a port name: a name in the device namespace
// ("\\.\COM7", "\\?\...") stays as it is; any other gets "\\.\" before it,
// which COM10 and above need and COM1 to COM9 accept ("COM7" -> "\\.\COM7").
std::string WindowsDeviceName(const std::string& name);

}  // namespace k470
