// What to tell a user whom the system does not let open the reader's port.
// k470ctl adds it to its message; the desktop program can show the same.
#pragma once

#include <string>

namespace k470 {

// The package's udev rule, which gives the user at the seat the reader's port.
inline constexpr char kReaderUdevRule[] = "/usr/lib/udev/rules.d/60-k470-reader.rules";

// For a port whose open failed with `error` (an errno): on Linux, when the
// system refused access (EACCES, EPERM), how to be given it, in one line;
// "" for any other error, and on other systems.
std::string PortAccessAdvice(int error);

}  // namespace k470
