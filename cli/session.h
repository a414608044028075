// One k470ctl run against a reader: the application state, the port (traced
// when asked), the reader link and the device-operations driver.
#pragma once

#include <optional>
#include <string>

#include "cli/exit_codes.h"
#include "cli/interruptible_port.h"
#include "cli/options.h"
#include "cli/terminal_ui.h"
#include "core/app_state.h"
#include "link/device_driver.h"
#include "link/native_serial_port.h"
#include "link/reader_link.h"
#include "link/tracing_port.h"

namespace k470::cli {

// Everything one run needs: the state, the port (traced when asked) and the driver.
class Session {
 public:
  explicit Session(const Options& o);

  AppState& state() { return state_; }
  DeviceDriver& driver() { return driver_; }
  TerminalUi& ui() { return ui_; }
  SerialPort& port() { return link_.port(); }

  // Runs a driver operation; on failure returns the exit code that fits.
  std::optional<ExitCode> Run(const DeviceRequest& request);

  // Why the port could not be opened, or the reader's last exchange failed.
  std::string PortError() const { return device_.last_error(); }

 private:
  void Trace(Millis at, TraceDirection direction, const std::string& bytes);

  const Options& options_;
  AppState state_;
  TerminalUi ui_;
  NativeSerialPort device_;
  InterruptiblePort interruptible_;
  TracingPort tracing_;
  ReaderLink link_;
  DeviceDriver driver_;
  Millis start_{0};
};

}  // namespace k470::cli
