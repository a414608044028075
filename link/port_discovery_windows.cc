// Discovery on Windows: the COM ports the registry's USB enumeration gives
// the reader's device.
#include <windows.h>

#include "link/port_discovery.h"
#include "link/port_list_order.h"
#include "link/windows_registry.h"

namespace k470 {

std::vector<std::string> DiscoverPorts(const std::string&, const std::string&,
                                       const std::string& vendor_id, std::size_t max_ports) {
  return OrderedPortList(FindReaderPortsInRegistry(WindowsRegistry(HKEY_LOCAL_MACHINE), vendor_id),
                         max_ports);
}

std::string CurrentDeviceOf(const std::string& port) { return port; }

}  // namespace k470
