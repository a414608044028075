#include "cli/session.h"

#include <unistd.h>

#include <cstdio>

#include "cli/messages.h"
#include "core/defaults.h"
#include "link/com_port_settings.h"
#include "link/port_access.h"
#include "link/port_discovery.h"

namespace k470::cli {

Session::Session(const Options& o)
    : options_(o),
      ui_(o.retries, o.verbose || o.trace, ::isatty(STDERR_FILENO) != 0),
      interruptible_(device_),
      tracing_(interruptible_, SteadyClock(),
               [this](Millis at, TraceDirection d, const std::string& b) { Trace(at, d, b); }),
      link_(o.trace ? static_cast<SerialPort&>(tracing_) : interruptible_, SteadyClock()),
      driver_(state_, link_, ui_,
              [this] { return DiscoverPorts(options_.sysfs_root, options_.dev_root); }) {
  start_ = SteadyClock().Now();
  ui_.SetPortErrorSource([this] {
    // What to do about it, when the system did not let the user open the port.
    const std::string advice = PortAccessAdvice(device_.last_open_errno());
    return "(" + device_.last_error() + ")" + (advice.empty() ? "" : "; " + advice);
  });
  ui_.SetCauseSource([this] { return link_.failure(); });
  if (o.fleet_worker) ui_.SetFleetPort(o.port);
  if (o.port.empty()) {
    std::string problem;
    state_.configured_port = ReadConfiguredPort(ConfigurationFolder(), &problem);
    if (!problem.empty()) SayNote(problem);
  } else {
    state_.configured_port = o.port;
  }
  New(state_);
}

std::optional<ExitCode> Session::Run(const DeviceRequest& request) {
  link_.SetFailure("");
  if (driver_.RunDeviceOperation(request)) return std::nullopt;
  return ui_.failure_code();
}

void Session::Trace(Millis at, TraceDirection direction, const std::string& bytes) {
  const double secs = static_cast<double>((at - start_).count()) / 1000.0;
  // Readers of one run trace side by side; the port tells whose line it is.
  const std::string who = options_.fleet_worker ? state_.port_in_use + " " : "";
  std::fprintf(stderr, "[%9.3f] %s%s %s\n", secs, who.c_str(),
               direction == TraceDirection::kSent ? "->" : "<-", PrintableBytes(bytes).c_str());
}

}  // namespace k470::cli
