// k470ctl: the reader's device operations and settings files from a shell.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string_view>

#include "cli/exit_codes.h"
#include "cli/file_args.h"
#include "cli/fleet.h"
#include "cli/help_all_formatter.h"
#include "cli/interrupt.h"
#include "cli/json_output.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/reader_jobs.h"
#include "cli/subcommands.h"
#include "core/file_env.h"
#include "core/version.h"
#include "link/com_port_settings.h"

namespace k470::cli {
namespace {

const std::string kVersion = std::string("k470ctl ") + kProgramVersion;

constexpr char kExitCodesHelp[] = R"(
Exit codes:
  0  success
  1  reader error: the reader did not answer, is another model, or refused the operation
  2  usage error: bad command line
  3  port error: no reader port, or the port cannot be opened
  4  file error: a settings, upload or output file cannot be read or written,
     or import refused its JSON
  5  apply --check: a reader's settings differ from the file
  6  diff --reader: the reader failed (diff exits with 1 when the settings differ)
  130  interrupted (Ctrl-C): the reader was told to leave service mode

Settings files for download are exactly 640 bytes. A PIN code is 1 to 16 ASCII
letters and digits. An upload replaces its file only when it ends well; after a
failure the old file is unchanged and what arrived is kept as FILE.partial.

A file argument of - is standard input (show, diff, download, apply, export,
import; for diff one of its two files), -o - is standard output (read, new,
import, upload, export), with the rules files have; upload writes there only
once it has ended well. -o - is for one reader, and not with --json, whose
result would share standard output with the file.

The port is --port, else the one remembered in K470Configuration.ini of the
configuration folder ($XDG_CONFIG_HOME/K470Configuration), else the first
reader found on USB. Name a reader by its /dev/serial/by-id/ link (see
"k470ctl ports"): unlike /dev/ttyACM0 it stays the same when the reader is
plugged in again. A port the system does not let you open: the message says
how to be given access (the package's udev rule for the user at the seat, or
the dialout group).

Shell completion for bash, zsh and fish (subcommands, options, their values,
settings and JSON files, the readers of "k470ctl ports" for --port) is
installed with the Debian package; for a build of your own see README.md.

Several readers at once: give --port once per reader, or --all for every
reader found on USB; info, read, download, apply, battery, memsize, memclear,
clock, upload and pin work on several readers, diff --reader compares a file
with one reader. Each reader gets a line as it finishes (port, serial
number, result, text; tab-separated), then a summary names the readers that
failed and why; with --json one object per reader and a summary object. The
exit code is 0 only when every reader succeeded, else the code the failures
share (1 when they differ). A reader that does not answer after --retries is
reported failed; the others go on. read and upload write one file per
reader, named by --output-pattern from {port}, {serial} and {index}.
apply reports this way even for one reader.
)";

constexpr char kHelpHint[] = "Run 'k470ctl --help' for the subcommands and options.";

// Several readers, --all, a file name pattern, or apply (which reports per
// reader even for one): one worker per reader, lines and a summary.
bool RunsOnSeveralReaders(const Subcommand& sub, const Options& o) {
  return o.ports.size() > 1 || o.all || !o.output_pattern.empty() || sub.reports_each_reader;
}

int RunOnReaders(const Subcommand& sub, const Options& o) {
  if (o.all && !o.ports.empty()) {
    SayError("give --port or --all, not both");
    return kExitUsage;
  }
  if (!o.output.empty() && !o.output_pattern.empty()) {
    SayError("give -o or --output-pattern, not both");
    return kExitUsage;
  }
  ExitCode code = kExitOk;
  auto ports = FleetPorts(o, code);
  if (!ports) return code;
  if (!sub.job) {
    if (sub.one_reader_only) {
      SayError(sub.one_reader_only);
    } else {
      SayError(std::string(sub.name) + " does not work on several readers at once");
    }
    return kExitUsage;
  }
  // apply without --port works on the configured or first reader, as the others do.
  if (ports->empty()) ports->push_back("");
  auto job = sub.job(o, Readers{*ports, true}, code);
  if (!job) return code;
  return RunFleet(o, *ports, *job);
}

// Runs the subcommand `sub` with the options parsed.
int RunSubcommand(const Subcommand& sub, const Options& o) {
  if (RunsOnSeveralReaders(sub, o)) return RunOnReaders(sub, o);
  if (sub.command) return sub.command(o);
  ExitCode code = kExitOk;
  auto job = sub.job(o, Readers{{o.port}, false}, code);
  if (!job) return code;
  return RunOnOneReader(o, *job);
}

// CLI11 cannot require one of two options; this says it as CLI11 would.
bool LacksOutput(const Subcommand& sub, const Options& o) {
  if (!sub.Takes(&Options::output_pattern) || !o.output.empty()) return false;
  if (RunsOnSeveralReaders(sub, o)) {
    if (!o.output_pattern.empty()) return false;
    SayError("--output or --output-pattern is required");
  } else {
    SayError("--output is required");
  }
  std::fprintf(stderr, "%s\n", kHelpHint);
  return true;
}

// std::cout's buffer (stdio's, shared with printf) with the errno of the
// first write to stdout that failed kept: a long output fails half-way, and by
// the end of the run errno tells of something else, or of nothing at all.
class ErrnoKeepingBuf : public std::streambuf {
 public:
  explicit ErrnoKeepingBuf(std::streambuf* inner) : inner_(inner) {}
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
      return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
    }
    const int_type put = inner_->sputc(traits_type::to_char_type(c));
    if (traits_type::eq_int_type(put, traits_type::eof())) Keep();
    return put;
  }
  std::streamsize xsputn(const char* text, std::streamsize n) override {
    const std::streamsize put = inner_->sputn(text, n);
    if (put < n) Keep();
    return put;
  }
  int sync() override {
    const int synced = inner_->pubsync();
    if (synced != 0) Keep();
    return synced;
  }

 private:
  void Keep() {
    if (error_ == 0) error_ = errno;
  }
  std::streambuf* inner_;
  int error_ = 0;
};

// Puts an ErrnoKeepingBuf under std::cout for as long as it lives.
class KeptOutputErrors {
 public:
  KeptOutputErrors() : inner_(std::cout.rdbuf()), buf_(inner_) { std::cout.rdbuf(&buf_); }
  ~KeptOutputErrors() {
    std::cout.flush();
    std::cout.rdbuf(inner_);
  }
  KeptOutputErrors(const KeptOutputErrors&) = delete;
  KeptOutputErrors& operator=(const KeptOutputErrors&) = delete;
  int error() const { return buf_.error(); }

 private:
  std::streambuf* inner_;
  ErrnoKeepingBuf buf_;
};

// Parses the command line and runs it; returns the exit code.
int Run(int argc, char** argv, Options& o, const KeptOutputErrors& output) {
  CLI::App app{"k470ctl: configure K470 UHF RFID readers from a shell.", "k470ctl"};
  app.footer(kExitCodesHelp);
  app.set_version_flag("--version", kVersion);
  // Also what the man page is made of (help2man), so it lists every option.
  // Set before the subcommands are added: each takes its formatter from here.
  app.formatter(std::make_shared<HelpAllFormatter>());
  app.set_help_all_flag("--help-all", "Print this help with every subcommand's options and exit");
  app.require_subcommand(1);
  app.fallthrough();
  // Each --port takes exactly one value, before the subcommand or after it:
  // "download --port P site.K470" must not take site.K470 for a second port.
  app.add_option("--port", o.ports,
                 "Reader port, a device path such as /dev/serial/by-id/usb-...-if00 or "
                 "/dev/ttyACM0; once per reader to work on several at once (not diff "
                 "--reader, which compares with one reader)")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->check([](const std::string& name) { return PortNameProblem(name); });
  app.add_flag("--all", o.all, "Work on every reader found on USB at once");
  app.add_option("--retries", o.retries, "Retry a failed connection or transfer N times")
      ->option_text("N (0-100)")
      ->check(CLI::Range(0, 100));
  app.add_flag("--json", o.json,
               "Print the result as one JSON object (a list for ports and diff), a failure as "
               "{\"error\": ..., \"exit_code\": N}; with several readers one object per line for "
               "each, then a summary object");
  app.add_flag("--trace", o.trace, "Print every byte exchanged with the reader to stderr");
  app.add_flag("-v,--verbose", o.verbose, "Tell what is happening on stderr");
  app.add_option("--sysfs-root", o.sysfs_root, "Where to look for USB readers")->group("");
  app.add_option("--dev-root", o.dev_root, "Where the readers' device nodes are")->group("");

  AddSubcommands(app, o);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    // A word that names no subcommand is the likeliest slip; say which.
    std::string message = e.what();
    for (const std::string& word : app.remaining()) {
      if (!word.starts_with('-')) {
        message = "unknown subcommand '" + word + "'";
        break;
      }
    }
    if (app.get_subcommands().empty() && app.remaining().empty() &&
        message.find("subcommand") != std::string::npos) {
      message = "a subcommand is required";
    }
    SayError(message);
    std::fprintf(stderr, "%s\n", kHelpHint);
    return kExitUsage;
  }

  const Subcommand& sub = FindSubcommand(app.get_subcommands().front()->get_name());
  if (LacksOutput(sub, o)) return kExitUsage;
  if (o.json && IsStandardStream(o.output)) {
    SayError(
        "-o - writes the file to standard output, where --json prints the result; "
        "give one of them");
    return kExitUsage;
  }
  if (o.ports.size() == 1) o.port = o.ports.front();
  InstallInterruptHandlers();
  const int code = RunSubcommand(sub, o);
  if (Interrupted()) {
    SayError("interrupted");
    return kExitInterrupted;
  }
  // Output that did not reach its file (a full disk, a closed pipe) is a
  // failure like any other, not a silent success.
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  if (!std::cout || !flushed || std::ferror(stdout)) {
    // The first failed write says why; else this last flush (errno 0: "unknown error").
    const int error = output.error() != 0 ? output.error() : errno;
    SayError("cannot write the output: " + FileErrorText(error));
    return code == kExitOk ? kExitFile : code;
  }
  return code;
}

// Whether the run was asked for JSON: also when the command line around
// --json did not parse.
bool WantsJson(int argc, char** argv, const Options& o) {
  if (o.json) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--") break;
    if (std::string_view(argv[i]) == "--json") return true;
  }
  return false;
}

}  // namespace

int Main(int argc, char** argv) {
  // Every result goes to std::cout, so that a failed write is seen with its errno.
  KeptOutputErrors output;
  Options o;
  const int code = Run(argc, argv, o, output);
  // With --json a failure is one object on stdout too, unless the run's
  // result is already there (the lines and summary of several readers, the
  // list of a diff that found differences).
  if (code != kExitOk && WantsJson(argc, argv, o) && !json_printed) {
    const std::string error = LastError();
    PrintJson({{"error", error.empty() ? "failed" : error}, {"exit_code", code}});
  }
  return code;
}

}  // namespace k470::cli

int main(int argc, char** argv) { return k470::cli::Main(argc, argv); }
