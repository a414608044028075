// The settings-as-data subcommands: show, diff, export and import. They work
// on settings files (and, for diff, a reader) through the same named settings
// the Device Settings pages show.
#pragma once

#include "cli/options.h"

namespace k470::cli {

int CmdShow(const Options& o);
int CmdDiff(const Options& o);
int CmdExport(const Options& o);
int CmdImport(const Options& o);

}  // namespace k470::cli
