#include "cli/reader_jobs.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "cli/changed_settings.h"
#include "cli/escape_text.h"
#include "cli/file_args.h"
#include "cli/interrupt.h"
#include "cli/messages.h"
#include "cli/output_pattern.h"
#include "cli/settings_commands.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "link/clock_command.h"
#include "link/memory_upload.h"
#include "link/pin_code.h"
#include "link/protocol_layout.h"
#include "link/shell_port.h"
#include "settings/date_time/date_rules.h"

namespace k470::cli {
namespace {

// A reader's port closes at the end of each operation; a reader (and the
// virtual one on a pty) needs a moment before the next operation opens it.
constexpr auto kBetweenOperations = std::chrono::milliseconds(200);
// How many changed settings a reader's line names before it only counts them.
constexpr std::size_t kNamedChangesInLine = 8;

std::optional<ReaderOutcome> RunOp(Session& s, const DeviceRequest& request) {
  if (auto code = s.Run(request)) return ReaderOutcome::Failed(*code, "");
  return std::nullopt;
}

std::optional<ReaderOutcome> RunOp(Session& s, DeviceOperation op) {
  return RunOp(s, DeviceRequest(op));
}

// "cannot write x.K470: No such file or directory", right after the failure
// (the file helpers always leave errno saying why).
ReaderOutcome CannotWrite(const std::string& file) {
  const int error = errno;
  return ReaderOutcome::Failed(kExitFile, "cannot write " + file + ": " + FileErrorText(error));
}

std::string SerialOf(Session& s) {
  const std::string& serial = s.state().device_info.serial_number;
  return serial == DeviceInfo().serial_number ? "" : serial;
}

// Where read and upload write. On one reader the file -o names, as it is
// given. On several one file each, named by --output-pattern (or -o) once
// the reader has answered, and claimed so that no two readers of the run
// share one.
class OutputFiles {
 public:
  // `partial_files`: upload keeps what arrived of a failed upload in
  // FILE.partial, where no other reader may write.
  OutputFiles(const Options& o, const Readers& readers, bool partial_files)
      : pattern_(o.output.empty() ? o.output_pattern : o.output, partial_files),
        claims_(partial_files) {
    if (!readers.several) known_ = o.output;
  }

  // The file, when its name is known before the reader answers.
  const std::optional<std::string>& known() const { return known_; }

  // Why the files of a run on several readers cannot be told apart, or nullopt.
  std::optional<std::string> Problem(const Options& o, const Readers& readers) const {
    if (known_) return std::nullopt;
    if (IsStandardStream(o.output) || IsStandardStream(o.output_pattern)) {
      return "standard output (-) takes the file of one reader; with several readers give "
             "--output-pattern, e.g. 'reader-{serial}.K470'";
    }
    if (!o.output.empty() && readers.ports.size() > 1) {
      return "-o names one file; with several readers give --output-pattern, e.g. "
             "'reader-{serial}.K470'";
    }
    if (o.output.empty()) return pattern_.Problem(readers.ports);
    return std::nullopt;
  }

  // The file of the reader of `s`; nullopt (with the outcome in `failed`)
  // when another reader of the run already has that name.
  std::optional<std::string> Claim(Session& s, const Options& o, ReaderOutcome& failed) {
    if (known_) return known_;
    const std::string name = pattern_.NameFor(o.port, SerialOf(s), o.index);
    std::string clash;
    if (claims_.Claim(name, &clash)) return name;
    failed =
        ReaderOutcome::Failed(kExitFile, "another reader of this run writes " + clash +
                                             "; nothing written (the pattern "
                                             "gives readers with these serial numbers one file)");
    return std::nullopt;
  }

 private:
  std::optional<std::string> known_;
  OutputPattern pattern_;
  FileClaims claims_;
};

std::shared_ptr<OutputFiles> PrepareOutputFiles(const Options& o, const Readers& readers,
                                                bool partial_files, ExitCode& code) {
  auto files = std::make_shared<OutputFiles>(o, readers, partial_files);
  if (auto problem = files->Problem(o, readers)) {
    SayError(*problem);
    code = kExitUsage;
    return nullptr;
  }
  return files;
}

// Opens the reader's port again for the operations that talk to it
// themselves (upload, PIN code); the failure, when it cannot be opened.
std::optional<ReaderOutcome> OpenOwnPort(Session& s) {
  const std::string port = s.state().port_in_use;
  if (OpenShellPort(s.port(), port)) return std::nullopt;
  return ReaderOutcome::PortNotOpened(port, s.PortError());
}

// A download with the settings type and clock the options give.
DeviceRequest DownloadRequest(const Options& o) {
  DeviceRequest request(DeviceOperation::kDownloadSettings);
  if (o.settings_type == "user") {
    request.download_type = DownloadSettingsType::kUserDefined;
  } else if (o.settings_type == "both") {
    request.download_type = DownloadSettingsType::kBoth;
  }
  if (o.clock == "auto") request.clock_command = ClockCommandAt(std::chrono::system_clock::now());
  return request;
}

// The clock command for "YYYY-MM-DD hh:mm:ss" (or with a T between date and
// time), a real date of the years 2000-2099; nullopt for anything else.
std::optional<std::string> ClockCommandFromText(const std::string& text) {
  // Exactly "YYYY-MM-DD hh:mm:ss" (or a T between date and time): no signs,
  // blanks or missing digits, and a date the calendar has.
  static constexpr char kShape[] = "dddd-dd-dd?dd:dd:dd";
  if (text.size() != sizeof kShape - 1) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool fits = kShape[i] == 'd'   ? c >= '0' && c <= '9'
                      : kShape[i] == '?' ? c == ' ' || c == 'T'
                                         : c == kShape[i];
    if (!fits) return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t n) { return std::stoi(text.substr(at, n)); };
  const ClockTime t{number(0, 4),  number(5, 2),  number(8, 2),
                    number(11, 2), number(14, 2), number(17, 2)};
  if (!IsValidClockTime(t)) return std::nullopt;
  return MakeClockCommand(t);
}

// The value part of a result text, without its label and trailing CR.
std::string ValueAfter(const std::string& text, const std::string& label) {
  std::string v = text.starts_with(label) ? text.substr(label.size()) : text;
  while (!v.empty() && (v.back() == '\r' || v.back() == '\n')) v.pop_back();
  return v;
}

// upload -o -: the data waits here and reaches standard output only once
// the upload has ended well, so that whatever reads it never takes a part
// of the data for the whole.
class HeldBytes : public ByteSink {
 public:
  bool Append(std::span<const std::uint8_t> bytes) override {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return true;
  }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// The message of a failed upload into `file`: kUploadFailedText, the cause
// in brackets (as read and download give theirs), and where the bytes that
// did arrive are kept.
std::string UploadFailedText(const UploadResult& r, const FileByteSink& sink,
                             const std::string& file) {
  const std::string cause =
      sink.write_failed() ? "cannot write " + file + ": " + FileErrorText(sink.error()) : r.failure;
  std::string text = kUploadFailedText;
  if (!cause.empty()) text += " (" + cause + ")";
  if (IsStandardStream(file)) {
    text += "; nothing written to standard output, " + std::to_string(r.bytes_written) +
            " bytes had arrived";
  } else if (!sink.partial_path().empty()) {
    text += "; " + file + " is unchanged, the " + std::to_string(r.bytes_written) +
            " bytes received are in " + sink.partial_path();
  }
  return text;
}

ReaderOutcome Info(Session& s) {
  if (auto failed = RunOp(s, DeviceOperation::kIdentify)) return *failed;
  const DeviceInfo& d = s.state().device_info;
  const std::string& port = s.state().port_in_use;
  ReaderOutcome outcome;
  outcome.text = d.device_type + ", " + d.kernel_version + ", " + d.user_version + ", BT MAC ID " +
                 d.bt_mac_id;
  outcome.fields = {{"port", port},
                    {"device_type", d.device_type},
                    {"serial_number", d.serial_number},
                    {"kernel_version", d.kernel_version},
                    {"user_version", d.user_version},
                    {"bt_mac_id", d.bt_mac_id}};
  // The reader's texts reach a terminal: escaped, never sent as they are.
  outcome.shown = "Port:           " + EscapeText(port) +
                  "\nDevice Type:    " + EscapeText(d.device_type) +
                  "\nSerial Number:  " + EscapeText(d.serial_number) +
                  "\nKernel Version: " + EscapeText(d.kernel_version) +
                  "\nUser Version:   " + EscapeText(d.user_version) +
                  "\nBT MAC ID:      " + EscapeText(d.bt_mac_id);
  return outcome;
}

ReaderOutcome Read(Session& s, const Options& o, OutputFiles& files) {
  if (auto failed = ReadReaderSettings(s, o)) return *failed;
  ReaderOutcome outcome;
  const auto file = files.Claim(s, o, outcome);
  if (!file) return outcome;
  if (!WriteOutput(*file, s.state().image.span())) return CannotWrite(*file);
  outcome.text = "settings written to " + OutputName(*file);
  outcome.verbose_text = true;
  outcome.fields = {{"file", *file}, {"settings_type", o.settings_type}};
  return outcome;
}

ReaderOutcome Download(Session& s, const Options& o, const SettingsImage& image) {
  s.ui().SetProgressLabel("Downloading settings");
  s.state().image = image;
  if (auto failed = RunOp(s, DownloadRequest(o))) return *failed;
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
    outcome.text = "matches " + InputName(o.input);
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
  if (auto failed = RunOp(s, DeviceOperation::kDownloadSettings)) {
    failed->fields = {{"file", o.input}, {"changed", false}, {"settings", changed}};
    return *failed;
  }
  outcome.result = "changed";
  outcome.text = "changed " + names;
  return outcome;
}

// battery, memsize and memclear: the reader's words, and for --json the
// value alone (a number for the free memory, when the reader gives one).
ReaderOutcome Query(Session& s, DeviceOperation op) {
  if (auto failed = RunOp(s, op)) return *failed;
  std::string text = s.driver().result_text();
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  ReaderOutcome outcome;
  if (op == DeviceOperation::kBatteryQuery) {
    outcome.fields = {{"battery", ValueAfter(text, "The Battery Voltage is: ")}};
  } else if (op == DeviceOperation::kMemorySizeQuery) {
    std::string kb = ValueAfter(text, "The Free Memory Size is: ");
    if (kb.ends_with(" KB")) kb.resize(kb.size() - 3);
    const bool is_number =
        !kb.empty() && kb.size() < 10 && kb.find_first_not_of("0123456789") == std::string::npos;
    outcome.fields = {
        {"free_memory_kb", is_number ? nlohmann::json(std::stoul(kb)) : nlohmann::json(kb)}};
  } else {
    text = "Clear Memory Successful!";
    outcome.fields = {{"memory", "cleared"}};
  }
  outcome.text = text;
  outcome.fields["text"] = text;
  outcome.shown = EscapeText(text);  // the reader's words
  return outcome;
}

ReaderOutcome SetClock(Session& s, const std::optional<std::string>& fixed) {
  // Without --time each reader gets the time at which its own turn comes.
  const std::string command = fixed ? *fixed : ClockCommandAt(std::chrono::system_clock::now());
  DeviceRequest request(DeviceOperation::kSetClock);
  request.clock_command = command;
  if (auto failed = RunOp(s, request)) return *failed;
  ReaderOutcome outcome;
  const std::string set =
      command.substr(kClockFieldsAt, kClockFieldsLength);  // "yy,MM,dd,hh,mm,ss"
  outcome.text = "clock set: " + set;
  outcome.verbose_text = true;
  outcome.fields = {{"clock", set}};
  return outcome;
}

ReaderOutcome Upload(Session& s, const Options& o, OutputFiles& files) {
  s.ui().SetProgressLabel("Uploading memorized data");
  // A file named before the reader answers is prepared before the reader is
  // asked anything: a folder that cannot be written fails without touching
  // the reader.
  FileByteSink sink;
  HeldBytes held;
  const bool to_stdout = files.known() && IsStandardStream(*files.known());
  if (files.known() && !to_stdout && !sink.Create(*files.known())) {
    return CannotWrite(*files.known());
  }
  // Who answers is checked as for every other operation: an upload from a
  // device that is no reader would report success for nothing.
  if (auto failed = RunOp(s, DeviceOperation::kIdentify)) return *failed;
  ReaderOutcome outcome;
  const auto file = files.Claim(s, o, outcome);
  if (!file) return outcome;
  if (!files.known() && !sink.Create(*file)) return CannotWrite(*file);
  if (auto failed = OpenOwnPort(s)) return *failed;
  const UploadResult r = UploadMemorizedData(
      s.port(), SteadyClock(), to_stdout ? static_cast<ByteSink&>(held) : sink, s.ui());
  if (!r.ok) {
    // After Ctrl-C the failure is ours, not the reader's: the run says so.
    if (Interrupted()) return ReaderOutcome::Failed(ExitCode(kExitInterrupted), "");
    return ReaderOutcome::Failed(sink.write_failed() ? kExitFile : kExitReader,
                                 UploadFailedText(r, sink, *file));
  }
  if (to_stdout) WriteOutput(*file, held.bytes());
  outcome.text = std::string(kUploadSucceededText) + " (" + std::to_string(r.bytes_written) +
                 " bytes to " + OutputName(*file) + ")";
  // Standard output holds the data: the text goes to stderr with --verbose.
  if (to_stdout) {
    outcome.verbose_text = true;
  } else {
    outcome.shown = outcome.text;  // the file name as the user gave it
  }
  outcome.fields = {{"file", *file}, {"bytes", r.bytes_written}};
  return outcome;
}

ReaderOutcome Pin(Session& s, const Options& o) {
  if (auto failed = RunOp(s, DeviceOperation::kIdentify)) return *failed;
  if (auto failed = OpenOwnPort(s)) return *failed;
  if (!SendPinCode(s.port(), SteadyClock(), o.pin)) {
    return ReaderOutcome::Failed(kExitReader, "cannot send the PIN code (" + s.PortError() + ")");
  }
  ReaderOutcome outcome;
  outcome.text = "PIN code sent";
  outcome.fields = {{"pin", "sent"}};
  return outcome;
}

}  // namespace

std::optional<ReaderOutcome> ReadReaderSettings(Session& s, const Options& o) {
  s.ui().SetProgressLabel("Reading settings");
  DeviceRequest request(DeviceOperation::kReadSettings);
  if (o.settings_type == "user") request.read_type = ReadSettingsType::kUserDefined;
  return RunOp(s, request);
}

std::optional<ReaderJob> InfoJob(const Options&, const Readers&, ExitCode&) {
  return [](Session& s, const Options&) { return Info(s); };
}

std::optional<ReaderJob> ReadJob(const Options& o, const Readers& readers, ExitCode& code) {
  auto files = PrepareOutputFiles(o, readers, false, code);
  if (!files) return std::nullopt;
  return [files](Session& s, const Options& w) { return Read(s, w, *files); };
}

// The reference of download and apply is read once for every reader.
std::optional<ReaderJob> DownloadJob(const Options& o, const Readers&, ExitCode& code) {
  code = kExitFile;
  const auto reference = ReadSettingsFile(o.input, true);
  if (!reference) return std::nullopt;
  return [image = *reference](Session& s, const Options& w) { return Download(s, w, image); };
}

std::optional<ReaderJob> ApplyJob(const Options& o, const Readers&, ExitCode& code) {
  code = kExitFile;
  const auto reference = ReadSettingsFile(o.input, true);
  if (!reference) return std::nullopt;
  return [image = *reference](Session& s, const Options& w) { return Apply(s, w, image); };
}

std::optional<ReaderJob> ClockJob(const Options& o, const Readers&, ExitCode& code) {
  std::optional<std::string> fixed;
  if (o.time) {
    fixed = ClockCommandFromText(*o.time);
    if (!fixed) {
      SayError("--time wants a real date and time, \"YYYY-MM-DD hh:mm:ss\" (years 2000-2099)");
      code = kExitUsage;
      return std::nullopt;
    }
  }
  return [fixed](Session& s, const Options&) { return SetClock(s, fixed); };
}

std::optional<ReaderJob> UploadJob(const Options& o, const Readers& readers, ExitCode& code) {
  auto files = PrepareOutputFiles(o, readers, true, code);
  if (!files) return std::nullopt;
  return [files](Session& s, const Options& w) { return Upload(s, w, *files); };
}

std::optional<ReaderJob> PinJob(const Options& o, const Readers&, ExitCode& code) {
  if (!IsValidPinCode(o.pin)) {
    SayError("the PIN code takes 1 to 16 ASCII letters and digits");
    code = kExitUsage;
    return std::nullopt;
  }
  return [](Session& s, const Options& w) { return Pin(s, w); };
}

JobMaker QueryJob(DeviceOperation op) {
  return [op](const Options&, const Readers&, ExitCode&) -> std::optional<ReaderJob> {
    return [op](Session& s, const Options&) { return Query(s, op); };
  };
}

}  // namespace k470::cli
