// The subcommands of k470ctl that work on readers, each as one job: what the
// run checks once before any reader is touched (the settings file, the file
// names, the PIN code, the time), then the work with each reader's session.
// A run on one reader and a run on several do the same steps; only the
// printing differs (cli/fleet.h).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/session.h"
#include "link/device_ui.h"

namespace k470::cli {

// The readers of a run: their ports (one empty name: the configured or first
// reader), and whether the run reports a line for each and a summary, as on
// several readers (apply and --all do so for one as well).
struct Readers {
  std::vector<std::string> ports;
  bool several = false;
};

// Prepares a subcommand's job for a run on `readers`. Nullopt, after saying
// why on stderr, when the run must not start; `code` then holds the exit code.
using JobMaker = std::function<std::optional<ReaderJob>(const Options& o, const Readers& readers,
                                                        ExitCode& code)>;

std::optional<ReaderJob> InfoJob(const Options& o, const Readers& readers, ExitCode& code);
std::optional<ReaderJob> ReadJob(const Options& o, const Readers& readers, ExitCode& code);
std::optional<ReaderJob> DownloadJob(const Options& o, const Readers& readers, ExitCode& code);
std::optional<ReaderJob> ApplyJob(const Options& o, const Readers& readers, ExitCode& code);
std::optional<ReaderJob> ClockJob(const Options& o, const Readers& readers, ExitCode& code);
std::optional<ReaderJob> UploadJob(const Options& o, const Readers& readers, ExitCode& code);
std::optional<ReaderJob> PinJob(const Options& o, const Readers& readers, ExitCode& code);
// battery, memsize and memclear.
JobMaker QueryJob(DeviceOperation op);

// Reads the reader's settings of the type --type names into the session's
// image; the failure, when it fails.
std::optional<ReaderOutcome> ReadReaderSettings(Session& s, const Options& o);

}  // namespace k470::cli
