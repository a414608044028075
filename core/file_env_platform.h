// The few steps of the file helpers in file_env.cc that differ between
// operating systems. Each platform defines them in its own file
// (file_env_posix.cc, file_env_windows.cc), chosen by the build.
#pragma once

#include <string>

#include "core/file_env.h"

namespace k470 {

// Open flags for reading a file that may turn out to be a FIFO or a device:
// the open must not wait for a writer.
int ReadOnlyNoWaitFlags();

// After a rename in the folder of `path`: makes the rename itself survive a
// power cut. A failure here does not undo the complete write before it.
void SyncFolderOf(FileEnv& env, const std::string& path);

}  // namespace k470
