// The subcommands of k470ctl that need no reader: ports lists the readers on
// USB, new writes a settings file with the factory defaults. Each returns the
// exit code; results go to stdout, messages to stderr.
#pragma once

#include "cli/options.h"

namespace k470::cli {

int CmdPorts(const Options& o);
int CmdNew(const Options& o);

}  // namespace k470::cli
