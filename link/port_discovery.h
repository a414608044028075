// Finds the reader's USB virtual COM ports: the tty devices whose USB device
// carries the reader's vendor id and product id 0001. The result is the port
// list that the presence poll, the port choosers and the driver work from.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/app_state.h"

namespace k470 {

// The reader's USB vendor id, four hex digits, fixed when the program is built.
extern const char kReaderVendorId[];

// The list has room for this many records, "-Select-" included.
inline constexpr std::size_t kMaxPortRecords = 30;
// A record holds at most this many characters (24 bytes with its terminator).
inline constexpr std::size_t kMaxPortNameLength = 23;

// Rebuilds the port list from the sysfs tree at `sysfs_root`: "/dev/<name>"
// for every reader tty, each cut to 23 characters, duplicates dropped,
// ordered by name with digit runs compared as numbers (ttyACM2 before
// ttyACM10), at most 29 of them, then "-Select-". Never fails: an unreadable
// tree gives {"-Select-"}. Cheap enough to call whenever a list is needed.
std::vector<std::string> DiscoverPorts(const std::string& sysfs_root = "/sys",
                                       const std::string& vendor_id = kReaderVendorId);

}  // namespace k470
