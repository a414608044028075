#include "cli/reader_jobs.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "cli/changed_settings.h"
#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/output_pattern.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "link/clock_command.h"
#include "link/memory_upload.h"
#include "link/pin_code.h"
#include "link/shell_port.h"

namespace k470::cli {
namespace {

// A reader's port closes at the end of each operation; a reader (and the
// virtual one on a pty) needs a moment before the next operation opens it.
constexpr auto kBetweenOperations = std::chrono::milliseconds(200);
// How many changed settings a reader's line names before it only counts them.
constexpr std::size_t kNamedChangesInLine = 8;

std::optional<ReaderOutcome> RunOp(Session& s, DeviceOperation op) {
  if (auto code = s.Run(op)) return ReaderOutcome::Failed(*code, "");
  return std::nullopt;
}

// The reference of download and apply, read once for every reader. Only a
// whole image goes to readers: anything else would be padded or cut, and sent
// with a fresh checksum as if valid.
std::optional<SettingsImage> ReadReference(const std::string& path, ExitCode& code) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  code = kExitFile;
  if (!ec && size != kImageSize) {
    std::fprintf(stderr, "k470ctl: settings file %s is %ju bytes, not %zu\n", path.c_str(),
                 static_cast<std::uintmax_t>(size), kImageSize);
    return std::nullopt;
  }
  AppState state;
  errno = 0;
  if (!Open(state, path)) {
    const std::string why = FileErrorText(errno);
    std::fprintf(stderr, "k470ctl: cannot read settings file %s: %s\n", path.c_str(), why.c_str());
    return std::nullopt;
  }
  return state.image;
}

std::string SerialOf(Session& s) {
  const std::string& serial = s.state().device_info.serial_number;
  return serial == DeviceInfo().serial_number ? "" : serial;
}

// The file of this reader; nullopt (with the outcome in `failed`) when
// another reader of the run already has that name.
std::optional<std::string> ClaimFile(Session& s, const Options& o, const OutputPattern& pattern,
                                     FileClaims& claims, ReaderOutcome& failed) {
  const std::string name = pattern.NameFor(o.port, SerialOf(s), o.index);
  std::string clash;
  if (claims.Claim(name, &clash)) return name;
  failed =
      ReaderOutcome::Failed(kExitFile, "another reader of this run writes " + clash +
                                           "; nothing written (the pattern "
                                           "gives readers with these serial numbers one file)");
  return std::nullopt;
}

ReaderOutcome Read(Session& s, const Options& o, const OutputPattern& pattern, FileClaims& claims) {
  s.state().read_settings_type =
      o.settings_type == "user" ? ReadSettingsType::kUserDefined : ReadSettingsType::kCurrent;
  if (auto failed = RunOp(s, DeviceOperation::kReadSettings)) return *failed;
  ReaderOutcome outcome;
  const auto file = ClaimFile(s, o, pattern, claims, outcome);
  if (!file) return outcome;
  if (!WriteSettingsFile(s.state().image, *file)) {
    return ReaderOutcome::Failed(kExitFile, "cannot write " + *file + ": " + FileErrorText(errno));
  }
  outcome.text = "settings written to " + *file;
  outcome.fields = {{"file", *file}, {"settings_type", o.settings_type}};
  return outcome;
}

ReaderOutcome Upload(Session& s, const Options& o, const OutputPattern& pattern,
                     FileClaims& claims) {
  if (auto failed = RunOp(s, DeviceOperation::kIdentify)) return *failed;
  ReaderOutcome outcome;
  const auto file = ClaimFile(s, o, pattern, claims, outcome);
  if (!file) return outcome;
  FileByteSink sink;
  if (!sink.Create(*file)) {
    return ReaderOutcome::Failed(kExitFile, "cannot write " + *file + ": " + FileErrorText(errno));
  }
  const std::string port = s.state().port_in_use;
  if (!OpenShellPort(s.port(), port)) {
    return ReaderOutcome::Failed(kExitPort, "Can't open the COM port! (" + s.PortError() + ")");
  }
  const UploadResult r = UploadMemorizedData(s.port(), SteadyClock(), sink, s.ui());
  if (!r.ok) {
    if (Interrupted()) return ReaderOutcome::Failed(ExitCode(kExitInterrupted), "interrupted");
    return ReaderOutcome::Failed(sink.write_failed() ? kExitFile : kExitReader,
                                 UploadFailedText(r, sink, *file));
  }
  outcome.text = std::string(kUploadSucceededText) + " (" + std::to_string(r.bytes_written) +
                 " bytes to " + *file + ")";
  outcome.fields = {{"file", *file}, {"bytes", r.bytes_written}};
  return outcome;
}

ReaderOutcome Download(Session& s, const Options& o, const SettingsImage& image) {
  s.state().image = image;
  SetDownloadChoices(s, o);
  if (auto failed = RunOp(s, DeviceOperation::kDownloadSettings)) return *failed;
  ReaderOutcome outcome;
  outcome.text = "Downloaded completely!";
  outcome.fields = {{"file", o.input}, {"settings_type", o.settings_type}, {"clock", o.clock}};
  return outcome;
}

// Reads the reader's current settings and downloads the reference only when
// they differ, so a second run touches nothing.
ReaderOutcome Apply(Session& s, const Options& o, const SettingsImage& reference) {
  if (auto failed = RunOp(s, DeviceOperation::kReadSettings)) {
    failed->fields = {{"file", o.input}, {"changed", false}};
    return *failed;
  }
  const std::vector<std::string> changed = ChangedSettings(s.state().image, reference);
  ReaderOutcome outcome;
  outcome.fields = {{"file", o.input}, {"changed", !changed.empty()}, {"settings", changed}};
  if (changed.empty()) {
    outcome.result = "unchanged";
    outcome.text = "matches " + o.input;
    return outcome;
  }
  std::string names;
  for (std::size_t i = 0; i < changed.size() && i < kNamedChangesInLine; ++i) {
    names += (i == 0 ? "" : ", ") + changed[i];
  }
  if (changed.size() > kNamedChangesInLine) {
    names += " and " + std::to_string(changed.size() - kNamedChangesInLine) + " more";
  }
  if (o.check) {
    outcome.result = "differs";
    outcome.code = kExitDiffers;
    outcome.text = "would change " + names;
    return outcome;
  }
  std::this_thread::sleep_for(kBetweenOperations);
  s.state().image = reference;
  s.state().download_settings_type = DownloadSettingsType::kCurrent;
  s.state().clock_mode = ClockMode::kSkip;
  if (auto failed = RunOp(s, DeviceOperation::kDownloadSettings)) {
    failed->fields = {{"file", o.input}, {"changed", false}, {"settings", changed}};
    return *failed;
  }
  outcome.result = "changed";
  outcome.text = "changed " + names;
  return outcome;
}

ReaderOutcome Info(Session& s) {
  if (auto failed = RunOp(s, DeviceOperation::kIdentify)) return *failed;
  const DeviceInfo& d = s.state().device_info;
  ReaderOutcome outcome;
  outcome.text = d.device_type + ", " + d.kernel_version + ", " + d.user_version + ", BT MAC ID " +
                 d.bt_mac_id;
  outcome.fields = {{"device_type", d.device_type},
                    {"kernel_version", d.kernel_version},
                    {"user_version", d.user_version},
                    {"bt_mac_id", d.bt_mac_id}};
  return outcome;
}

ReaderOutcome Query(Session& s, DeviceOperation op) {
  if (auto failed = RunOp(s, op)) return *failed;
  const QueryResult r = QueryResultOf(op, s.driver().result_text());
  ReaderOutcome outcome;
  outcome.text = r.text;
  outcome.fields = {{r.key, r.value}};
  return outcome;
}

ReaderOutcome SetClock(Session& s, const std::optional<std::string>& fixed) {
  // Without --time each reader gets the time at which its own turn comes.
  const std::string command = fixed ? *fixed : ClockCommandAt(std::chrono::system_clock::now());
  s.state().clock_mode = ClockMode::kSetTimeAndDate;
  s.driver().SetClockCommand(command);
  if (auto failed = RunOp(s, DeviceOperation::kSetClock)) return *failed;
  ReaderOutcome outcome;
  const std::string set = command.substr(11, 17);  // "yy,MM,dd,hh,mm,ss"
  outcome.text = "clock set: " + set;
  outcome.fields = {{"clock", set}};
  return outcome;
}

ReaderOutcome Pin(Session& s, const Options& o) {
  if (auto failed = RunOp(s, DeviceOperation::kIdentify)) return *failed;
  const std::string port = s.state().port_in_use;
  if (!OpenShellPort(s.port(), port)) {
    return ReaderOutcome::Failed(kExitPort, "Can't open the COM port! (" + s.PortError() + ")");
  }
  if (!SendPinCode(s.port(), SteadyClock(), o.pin)) {
    return ReaderOutcome::Failed(kExitReader, "cannot send the PIN code (" + s.PortError() + ")");
  }
  ReaderOutcome outcome;
  outcome.text = "PIN code sent";
  outcome.fields = {{"pin", "sent"}};
  return outcome;
}

void Refuse(const std::string& text) { std::fprintf(stderr, "k470ctl: %s\n", text.c_str()); }

}  // namespace

std::optional<ReaderJob> PrepareReaderJob(const std::string& subcommand, const Options& o,
                                          const std::vector<std::string>& ports, ExitCode& code) {
  code = kExitUsage;
  if (subcommand == "read" || subcommand == "upload") {
    if (!o.output.empty() && ports.size() > 1) {
      Refuse(
          "-o names one file; with several readers give --output-pattern, e.g. "
          "'reader-{serial}.K470'");
      return std::nullopt;
    }
    // A failed upload keeps its bytes in FILE.partial: no reader may write there.
    const bool partial_files = subcommand == "upload";
    auto pattern = std::make_shared<OutputPattern>(o.output.empty() ? o.output_pattern : o.output,
                                                   partial_files);
    if (o.output.empty()) {
      if (auto problem = pattern->Problem(ports)) {
        Refuse(*problem);
        return std::nullopt;
      }
    }
    auto claims = std::make_shared<FileClaims>(partial_files);
    if (subcommand == "read") {
      return
          [pattern, claims](Session& s, const Options& w) { return Read(s, w, *pattern, *claims); };
    }
    return
        [pattern, claims](Session& s, const Options& w) { return Upload(s, w, *pattern, *claims); };
  }
  if (subcommand == "download" || subcommand == "apply") {
    const auto reference = ReadReference(o.input, code);
    if (!reference) return std::nullopt;
    if (subcommand == "download") {
      return [image = *reference](Session& s, const Options& w) { return Download(s, w, image); };
    }
    return [image = *reference](Session& s, const Options& w) { return Apply(s, w, image); };
  }
  if (subcommand == "clock") {
    std::optional<std::string> fixed;
    if (o.time) {
      fixed = ClockCommandFromText(*o.time);
      if (!fixed) {
        Refuse("--time wants a real date and time, \"YYYY-MM-DD hh:mm:ss\" (years 2000-2099)");
        return std::nullopt;
      }
    }
    return [fixed](Session& s, const Options&) { return SetClock(s, fixed); };
  }
  if (subcommand == "pin") {
    if (!IsValidPinCode(o.pin)) {
      Refuse("the PIN code takes 1 to 16 ASCII letters and digits");
      return std::nullopt;
    }
    return [](Session& s, const Options& w) { return Pin(s, w); };
  }
  if (subcommand == "info") return [](Session& s, const Options&) { return Info(s); };
  const std::pair<const char*, DeviceOperation> queries[] = {
      {"battery", DeviceOperation::kBatteryQuery},
      {"memsize", DeviceOperation::kMemorySizeQuery},
      {"memclear", DeviceOperation::kClearMemory}};
  for (const auto& [name, op] : queries) {
    if (subcommand == name) {
      return [op = op](Session& s, const Options&) { return Query(s, op); };
    }
  }
  if (subcommand == "diff") {
    Refuse("diff compares a file with one reader: give --port once, not several or --all");
    return std::nullopt;
  }
  Refuse(subcommand + " does not work on several readers at once");
  return std::nullopt;
}

}  // namespace k470::cli
