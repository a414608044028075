// What became of one reader in a k470ctl run: what a run on one reader
// prints, and what a run on several puts in the reader's line.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/exit_codes.h"

namespace k470::cli {

struct ReaderOutcome {
  // "ok", "changed", "unchanged", "differs" (apply --check) or "failed".
  std::string result = "ok";
  ExitCode code = kExitOk;  // the single-reader exit code of a failure
  // The operation's text in one line, or why it failed. A failure without
  // text was said by the terminal UI already (its last error).
  std::string text;
  // What --json prints for a run on one reader; a run on several adds the
  // port, serial number and result.
  nlohmann::json fields = nlohmann::json::object();
  // What a run on one reader prints on stdout without --json, safe for a
  // terminal; nothing when unset.
  std::optional<std::string> shown;
  // Whether a run on one reader tells `text` on stderr with --verbose.
  bool verbose_text = false;

  static ReaderOutcome Failed(ExitCode code, std::string why) {
    ReaderOutcome failed;
    failed.result = "failed";
    failed.code = code;
    failed.text = std::move(why);
    return failed;
  }
  // The reader's port could not be opened again after it answered (upload,
  // PIN code): `why` as the port tells it, else the port's name.
  static ReaderOutcome PortNotOpened(const std::string& port, const std::string& why) {
    return Failed(kExitPort, "Can't open the COM port! (" + (why.empty() ? port : why) + ")");
  }
  bool succeeded() const { return code == kExitOk; }
};

}  // namespace k470::cli
