#include "link/shell_port.h"

#include "link/port_discovery.h"

namespace k470 {

bool OpenShellPort(SerialPort& port, const std::string& name, OpenFailure* why) {
  port.Close();
  if (why) *why = OpenFailure::kCannotOpen;
  if (name.empty() || name == kNoPortRecord) return false;
  if (port.Open(name, LineSettings{})) return true;
  if (why) *why = port.last_open_failure();
  return false;
}

}  // namespace k470
