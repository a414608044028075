// Waits on the GUI thread that keep the windows painted. Every command runs
// synchronously inside the main window's command handler, so while it waits
// for the reader or pauses between steps the event loop still has to repaint
// (the progress window above all) — but it must not take user input, or a
// second command could start inside the first.
#pragma once

#include "link/clock.h"
#include "link/serial_port.h"

namespace k470::gui {

// Delivers pending paint, timer and window-system events except user input
// (which stays queued for later).
void ProcessEventsExceptInput();

// A clock whose sleeps run an event loop that takes no user input.
class PaintingClock : public Clock {
 public:
  explicit PaintingClock(Clock& base = SteadyClock()) : base_(base) {}
  Millis Now() override { return base_.Now(); }
  void SleepFor(Millis duration) override;

 private:
  Clock& base_;
};

// A serial port whose waits for bytes are cut into short slices with the
// events above processed between them. Everything else goes to `inner`.
class PaintingSerialPort : public SerialPort {
 public:
  explicit PaintingSerialPort(SerialPort& inner, Clock& clock = SteadyClock())
      : inner_(inner), clock_(clock) {}

  bool Open(const std::string& name, const LineSettings& settings) override {
    return inner_.Open(name, settings);
  }
  bool IsOpen() const override { return inner_.IsOpen(); }
  OpenFailure last_open_failure() const override { return inner_.last_open_failure(); }
  void Close() override { inner_.Close(); }
  void Purge() override { inner_.Purge(); }
  long Write(std::span<const std::uint8_t> bytes) override { return inner_.Write(bytes); }
  long Read(std::span<std::uint8_t> buf, Millis wait) override;

 private:
  SerialPort& inner_;
  Clock& clock_;
};

}  // namespace k470::gui
