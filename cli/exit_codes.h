// k470ctl's exit codes, documented in its --help.
#pragma once

namespace k470::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitReader = 1,      // the reader did not answer, is another model, or the operation failed
  kExitUsage = 2,       // bad command line
  kExitPort = 3,        // no reader port, or the port cannot be opened
  kExitFile = 4,        // a settings or upload file cannot be read or written
  kExitDiffers = 5,     // apply --check: a reader's settings differ from the file
  kExitDiffReader = 6,  // diff --reader: the reader failed (diff's 1 means "differ")
};

}  // namespace k470::cli
