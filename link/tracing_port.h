// A serial port that passes everything to another one and reports every byte
// that crosses it, with the time and the direction. k470ctl --trace prints
// this, which is how a technician sees what a reader really answered.
#pragma once

#include <functional>
#include <string>

#include "link/serial_port.h"

namespace k470 {

enum class TraceDirection { kSent, kReceived };

class TracingPort : public SerialPort {
 public:
  using Sink = std::function<void(Millis at, TraceDirection, const std::string& bytes)>;

  TracingPort(SerialPort& inner, Clock& clock, Sink sink)
      : inner_(inner), clock_(clock), sink_(std::move(sink)) {}

  bool Open(const std::string& name, const LineSettings& settings) override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  OpenFailure last_open_failure() const override { return inner_.last_open_failure(); }
  void Close() override { inner_.Close(); }
  void Purge() override { inner_.Purge(); }
  long Write(std::span<const std::uint8_t> bytes) override;
  long Read(std::span<std::uint8_t> buf, Millis wait) override;

 private:
  SerialPort& inner_;
  Clock& clock_;
  Sink sink_;
};

// The bytes as one printable line: CR as \r, LF as \n, other controls as \xNN.
std::string PrintableBytes(const std::string& bytes);

}  // namespace k470
