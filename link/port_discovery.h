// Finds the reader's USB virtual COM ports: the serial devices whose USB
// device carries the reader's vendor id and product id 0001. The result is
// the port list that the presence poll, the port choosers and the driver
// work from.
//
// On Linux a reader is named by its /dev/serial/by-id link when udev made
// one: that name stays the same when the reader is plugged into another
// socket or another device takes its ttyACM number first. On Windows it is
// named by the COM port the system gave it ("COM5"), found in the registry
// (registry_port_search.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/app_state.h"

namespace k470 {

// The reader's USB vendor id, four hex digits, fixed when the program is built.
extern const char kReaderVendorId[];
// The reader's USB product id.
inline constexpr char kReaderProductId[] = "0001";

// The list has room for this many records, "-Select-" included.
inline constexpr std::size_t kMaxPortRecords = 30;
// A port name is a device path of at most this many bytes.
inline constexpr std::size_t kMaxPortNameLength = 255;

// Rebuilds the port list from the sysfs tree at `sysfs_root`. Each reader tty
// gives one record: the link in `<dev_root>/serial/by-id` that points to it,
// else "<dev_root>/<tty>". Duplicates are dropped, the records ordered by
// name with digit runs compared as numbers (ttyACM2 before ttyACM10), at most
// `max_ports` of them (29: what the port list holds), then "-Select-". Never
// fails: an unreadable tree gives {"-Select-"}. Cheap enough to call whenever
// a list is needed.
// On Windows the two roots are not used: the records are the COM ports that
// the registry's USB enumeration gives the reader's device, in the same
// order and with the same bounds.
std::vector<std::string> DiscoverPorts(const std::string& sysfs_root = "/sys",
                                       const std::string& dev_root = "/dev",
                                       const std::string& vendor_id = kReaderVendorId,
                                       std::size_t max_ports = kMaxPortRecords - 1);

// The device a port name leads to now, with every symbolic link followed (the
// ttyACM behind a by-id link); the name itself when it is no link or leads
// nowhere, and always on Windows, where a COM port name is the device.
std::string CurrentDeviceOf(const std::string& port);

}  // namespace k470
