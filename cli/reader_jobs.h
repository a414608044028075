// The subcommands of k470ctl as work on one reader of several: what each
// worker does with its own session, and what the run checks once before any
// reader is touched (the settings file, the output pattern, the PIN code).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/fleet.h"
#include "cli/options.h"

namespace k470::cli {

// The job of `subcommand` for a run on `ports`. Nullopt, after saying why on
// stderr, when the run must not start; `code` then holds the exit code.
std::optional<ReaderJob> PrepareReaderJob(const std::string& subcommand, const Options& o,
                                          const std::vector<std::string>& ports, ExitCode& code);

}  // namespace k470::cli
