// A serial port that gives up its waits once the run was interrupted
// (Ctrl-C): reads then fail at once, so every operation ends at its next
// wait. Writes still go out, so the EXIT that takes the reader out of service
// mode reaches it.
#pragma once

#include "link/serial_port.h"

namespace k470::cli {

class InterruptiblePort : public SerialPort {
 public:
  explicit InterruptiblePort(SerialPort& port) : port_(port) {}

  bool Open(const std::string& name, const LineSettings& settings) override;
  bool IsOpen() const override { return port_.IsOpen(); }
  OpenFailure last_open_failure() const override { return port_.last_open_failure(); }
  void Close() override { port_.Close(); }
  void Purge() override { port_.Purge(); }
  long Write(std::span<const std::uint8_t> bytes) override { return port_.Write(bytes); }
  // Waits in slices of at most 100 ms, looking at the interrupt between them.
  long Read(std::span<std::uint8_t> buf, Millis wait) override;

 private:
  SerialPort& port_;
};

}  // namespace k470::cli
