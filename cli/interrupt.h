// Ctrl-C and SIGTERM during a k470ctl run: the signal only raises a flag; the
// run notices it at its next wait on the reader, sends EXIT so the reader
// leaves service mode, releases the port and exits with 130. A second Ctrl-C
// ends the program at once.
#pragma once

namespace k470::cli {

inline constexpr int kExitInterrupted = 130;

void InstallInterruptHandlers();
bool Interrupted();

}  // namespace k470::cli
