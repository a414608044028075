// Runs of a reader job. On one reader: one session, and the subcommand's own
// output (ReaderOutcome::shown, or its fields with --json). On several readers
// at once: one worker thread per port, each with a session of its own (port,
// application state, buffers, driver), so one reader's failure or slowness
// never holds up another. A line per reader is printed as each finishes, then
// a summary; the exit code is 0 only when every reader succeeded.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "cli/reader_outcome.h"
#include "cli/session.h"

namespace k470::cli {

// The work on one reader; `o` is the run's options with this reader's port and index.
using ReaderJob = std::function<ReaderOutcome(Session& s, const Options& o)>;

// The ports of a run on several readers: every --port, or with --all every
// reader found on USB. Nullopt after saying on stderr why there are none, or
// when two names lead to one device (two workers would fight over it);
// `code` then holds the exit code.
std::optional<std::vector<std::string>> FleetPorts(const Options& o, ExitCode& code);

// Runs `job` on every port at once and prints the lines and the summary.
// Returns the exit code: 0 when every reader succeeded, else the code the
// failures share, or 1 when they differ.
int RunFleet(const Options& o, const std::vector<std::string>& ports, const ReaderJob& job);

// Runs `job` on the one reader of `o` (o.port, else the configured or first
// one) and prints its outcome; returns the exit code.
int RunOnOneReader(const Options& o, const ReaderJob& job);

}  // namespace k470::cli
