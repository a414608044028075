// k470ctl: the reader's device operations and settings files from a shell.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/exit_codes.h"
#include "cli/terminal_ui.h"
#include "core/defaults.h"
#include "core/settings_file.h"
#include "link/clock_command.h"
#include "link/com_port_settings.h"
#include "link/device_driver.h"
#include "link/memory_upload.h"
#include "link/pin_code.h"
#include "link/port_discovery.h"
#include "link/posix_serial_port.h"
#include "link/reader_link.h"
#include "link/shell_port.h"
#include "link/tracing_port.h"

namespace k470::cli {
namespace {

constexpr char kVersion[] = "k470ctl 1.02";

constexpr char kExitCodesHelp[] = R"(
Exit codes:
  0  success
  1  reader error: the reader did not answer, is another model, or refused the operation
  2  usage error: bad command line
  3  port error: no reader port, or the port cannot be opened
  4  file error: a settings or upload file cannot be read or written

The port is --port, else the one remembered in K470Configuration.ini of the
configuration folder ($XDG_CONFIG_HOME/K470Configuration), else the first
reader found on USB.)";

struct Options {
  std::string port;
  int retries = 0;
  bool json = false;
  bool trace = false;
  bool verbose = false;
  std::string sysfs_root = "/sys";

  std::string output;
  std::string input;
  std::string settings_type = "current";
  std::string clock = "auto";
  std::string time;
  std::string pin;
};

// Everything one run needs: the state, the port (traced when asked) and the driver.
class Session {
 public:
  explicit Session(const Options& o)
      : options_(o),
        ui_(o.retries, o.verbose || o.trace, ::isatty(STDERR_FILENO) != 0),
        tracing_(posix_, SteadyClock(),
                 [this](Millis at, TraceDirection d, const std::string& b) { Trace(at, d, b); }),
        link_(o.trace ? static_cast<SerialPort&>(tracing_) : posix_, SteadyClock()),
        driver_(state_, link_, ui_, [this] { return DiscoverPorts(options_.sysfs_root); }) {
    start_ = SteadyClock().Now();
    ui_.SetPortErrorSource([this] { return "(" + posix_.last_error() + ")"; });
    state_.configured_port = o.port.empty() ? ReadConfiguredPort(ConfigurationFolder()) : o.port;
    New(state_);
  }

  AppState& state() { return state_; }
  DeviceDriver& driver() { return driver_; }
  TerminalUi& ui() { return ui_; }
  SerialPort& port() { return link_.port(); }

  // Runs a driver operation; on failure returns the exit code that fits.
  std::optional<ExitCode> Run(DeviceOperation op) {
    if (driver_.RunDeviceOperation(op)) return std::nullopt;
    return ui_.failure_code();
  }

  // The port for the commands that open their own connection (upload, PIN).
  std::string ShellPortName() {
    if (!state_.configured_port.empty()) return state_.configured_port;
    const auto ports = DiscoverPorts(options_.sysfs_root);
    return ports.size() > 1 ? ports.front() : "";
  }

 private:
  void Trace(Millis at, TraceDirection d, const std::string& bytes) {
    const double secs = static_cast<double>((at - start_).count()) / 1000.0;
    std::fprintf(stderr, "[%9.3f] %s %s\n", secs, d == TraceDirection::kSent ? "->" : "<-",
                 PrintableBytes(bytes).c_str());
  }

  const Options& options_;
  AppState state_;
  TerminalUi ui_;
  PosixSerialPort posix_;
  TracingPort tracing_;
  ReaderLink link_;
  DeviceDriver driver_;
  Millis start_{0};
};

int Fail(const std::string& text, ExitCode code) {
  std::fprintf(stderr, "k470ctl: %s\n", text.c_str());
  return code;
}

void PrintResult(const Options& o, const std::string& key, const nlohmann::json& value,
                 const std::string& text) {
  if (o.json) {
    std::cout << nlohmann::json{{key, value}, {"text", text}}.dump() << "\n";
  } else {
    std::cout << text << "\n";
  }
}

// The value part of a result text, without its label and trailing CR.
std::string ValueAfter(const std::string& text, const std::string& label) {
  std::string v = text.starts_with(label) ? text.substr(label.size()) : text;
  while (!v.empty() && (v.back() == '\r' || v.back() == '\n')) v.pop_back();
  return v;
}

int CmdPorts(const Options& o) {
  auto ports = DiscoverPorts(o.sysfs_root);
  ports.pop_back();  // "-Select-"
  if (o.json) {
    std::cout << nlohmann::json(ports).dump() << "\n";
  } else if (ports.empty()) {
    std::fprintf(stderr, "k470ctl: no reader found on USB\n");
  } else {
    for (const auto& p : ports) std::cout << p << "\n";
  }
  return kExitOk;
}

int CmdInfo(const Options& o) {
  Session s(o);
  if (auto code = s.Run(DeviceOperation::kIdentify)) return *code;
  const DeviceInfo& d = s.state().device_info;
  if (o.json) {
    std::cout << nlohmann::json{{"port", s.state().port_in_use},
                                {"device_type", d.device_type},
                                {"serial_number", d.serial_number},
                                {"kernel_version", d.kernel_version},
                                {"user_version", d.user_version},
                                {"bt_mac_id", d.bt_mac_id}}
                     .dump()
              << "\n";
  } else {
    std::printf(
        "Port:           %s\nDevice Type:    %s\nSerial Number:  %s\n"
        "Kernel Version: %s\nUser Version:   %s\nBT MAC ID:      %s\n",
        s.state().port_in_use.c_str(), d.device_type.c_str(), d.serial_number.c_str(),
        d.kernel_version.c_str(), d.user_version.c_str(), d.bt_mac_id.c_str());
  }
  return kExitOk;
}

int CmdRead(const Options& o) {
  Session s(o);
  s.state().read_settings_type =
      o.settings_type == "user" ? ReadSettingsType::kUserDefined : ReadSettingsType::kCurrent;
  if (auto code = s.Run(DeviceOperation::kReadSettings)) return *code;
  if (!WriteSettingsFile(s.state().image, o.output)) {
    return Fail("cannot write " + o.output, kExitFile);
  }
  if (o.verbose) std::fprintf(stderr, "k470ctl: settings written to %s\n", o.output.c_str());
  return kExitOk;
}

int CmdDownload(const Options& o) {
  Session s(o);
  if (!Open(s.state(), o.input)) return Fail("cannot read settings file " + o.input, kExitFile);
  if (o.settings_type == "user") {
    s.state().download_settings_type = DownloadSettingsType::kUserDefined;
  } else if (o.settings_type == "both") {
    s.state().download_settings_type = DownloadSettingsType::kBoth;
  }
  if (o.clock == "auto") {
    s.state().clock_mode = ClockMode::kSyncWithHost;
    s.driver().SetClockCommand(ClockCommandAt(std::chrono::system_clock::now()));
  } else {
    s.state().clock_mode = ClockMode::kSkip;
  }
  if (auto code = s.Run(DeviceOperation::kDownloadSettings)) return *code;
  return kExitOk;
}

std::optional<std::string> ClockCommandFromText(const std::string& text) {
  std::tm t{};
  int year, mon, day, hour, min, sec;
  char extra;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &mon, &day, &hour, &min, &sec,
                  &extra) != 6 &&
      std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d%c", &year, &mon, &day, &hour, &min, &sec,
                  &extra) != 6) {
    return std::nullopt;
  }
  if (year < 2000 || year > 2099 || mon < 1 || mon > 12 || day < 1 || day > 31 || hour > 23 ||
      min > 59 || sec > 59 || hour < 0 || min < 0 || sec < 0) {
    return std::nullopt;
  }
  t.tm_year = year - 1900;
  t.tm_mon = mon - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = min;
  t.tm_sec = sec;
  return MakeClockCommand(t);
}

int CmdClock(const Options& o) {
  std::string command = ClockCommandAt(std::chrono::system_clock::now());
  if (!o.time.empty()) {
    auto parsed = ClockCommandFromText(o.time);
    if (!parsed) return Fail("--time wants \"YYYY-MM-DD hh:mm:ss\" (years 2000-2099)", kExitUsage);
    command = *parsed;
  }
  Session s(o);
  s.state().clock_mode = ClockMode::kSetTimeAndDate;
  s.driver().SetClockCommand(command);
  if (auto code = s.Run(DeviceOperation::kSetClock)) return *code;
  if (o.verbose) std::fprintf(stderr, "k470ctl: clock set: %s\n", command.substr(11, 17).c_str());
  return kExitOk;
}

int CmdQuery(const Options& o, DeviceOperation op) {
  Session s(o);
  if (auto code = s.Run(op)) return *code;
  std::string text = s.driver().result_text();
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  if (op == DeviceOperation::kBatteryQuery) {
    PrintResult(o, "battery", ValueAfter(text, "The Battery Voltage is: "), text);
  } else if (op == DeviceOperation::kMemorySizeQuery) {
    std::string kb = ValueAfter(text, "The Free Memory Size is: ");
    if (kb.ends_with(" KB")) kb.resize(kb.size() - 3);
    // A number for scripts; whatever else a reader says stays its text.
    const bool is_number =
        !kb.empty() && kb.size() < 10 && kb.find_first_not_of("0123456789") == std::string::npos;
    PrintResult(o, "free_memory_kb",
                is_number ? nlohmann::json(std::stoul(kb)) : nlohmann::json(kb), text);
  } else {
    PrintResult(o, "memory", "cleared", "Clear Memory Successful!");
  }
  return kExitOk;
}

int CmdUpload(const Options& o) {
  Session s(o);
  const std::string name = s.ShellPortName();
  if (name.empty()) return Fail("no reader port: connect a reader or give --port PATH", kExitPort);
  FileByteSink sink;
  if (!sink.Create(o.output)) return Fail("cannot create " + o.output, kExitFile);
  if (!OpenShellPort(s.port(), name)) {
    sink.Finish();
    return Fail("Can't open the COM port! (" + name + ")", kExitPort);
  }
  const UploadResult r = UploadMemorizedData(s.port(), SteadyClock(), sink, s.ui());
  if (!r.ok) return Fail(kUploadFailedText, kExitReader);
  if (o.json) {
    std::cout << nlohmann::json{{"file", o.output}, {"bytes", r.bytes_written}}.dump() << "\n";
  } else {
    std::printf("%s (%zu bytes to %s)\n", kUploadSucceededText, r.bytes_written, o.output.c_str());
  }
  return kExitOk;
}

int CmdPin(const Options& o) {
  if (o.pin.empty() || o.pin.size() > kMaxPinCodeLength) {
    return Fail("the PIN code takes 1 to 16 characters", kExitUsage);
  }
  Session s(o);
  const std::string name = s.ShellPortName();
  if (name.empty()) return Fail("no reader port: connect a reader or give --port PATH", kExitPort);
  if (!OpenShellPort(s.port(), name))
    return Fail("Can't open the COM port! (" + name + ")", kExitPort);
  if (!SendPinCode(s.port(), SteadyClock(), o.pin))
    return Fail("cannot send the PIN code", kExitReader);
  return kExitOk;
}

int CmdNew(const Options& o) {
  AppState state;
  New(state);
  if (!WriteSettingsFile(state.image, o.output)) return Fail("cannot write " + o.output, kExitFile);
  return kExitOk;
}

}  // namespace

int Main(int argc, char** argv) {
  Options o;
  CLI::App app{"k470ctl: configure K470 UHF RFID readers from a shell.", "k470ctl"};
  app.footer(kExitCodesHelp);
  app.set_version_flag("--version", kVersion);
  app.require_subcommand(1);
  app.fallthrough();
  app.add_option("--port", o.port, "Reader port, a device path such as /dev/ttyACM0");
  app.add_option("--retries", o.retries, "Retry a failed connection or transfer N times")
      ->check(CLI::Range(0, 100));
  app.add_flag("--json", o.json, "Print results as JSON (info, ports, queries, upload)");
  app.add_flag("--trace", o.trace, "Print every byte exchanged with the reader to stderr");
  app.add_flag("-v,--verbose", o.verbose, "Tell what is happening on stderr");
  app.add_option("--sysfs-root", o.sysfs_root, "Where to look for USB readers")->group("");

  auto* ports = app.add_subcommand("ports", "List the readers found on USB");
  auto* info = app.add_subcommand("info", "Show the reader's identity");
  auto* read = app.add_subcommand("read", "Read the reader's settings into a settings file");
  read->add_option("-o,--output", o.output, "Settings file to write")->required();
  read->add_option("--type", o.settings_type, "Which settings: current or user")
      ->check(CLI::IsMember({"current", "user"}));
  auto* download = app.add_subcommand("download", "Download a settings file into the reader");
  download->add_option("file", o.input, "Settings file (*.K470)")->required();
  download->add_option("--type", o.settings_type, "Which settings: current, user or both")
      ->check(CLI::IsMember({"current", "user", "both"}));
  download
      ->add_option("--clock", o.clock,
                   "auto: set the reader's clock from this computer first; skip: leave it")
      ->check(CLI::IsMember({"auto", "skip"}));
  auto* battery = app.add_subcommand("battery", "Show the battery voltage");
  auto* memsize = app.add_subcommand("memsize", "Show the free memory size");
  auto* memclear = app.add_subcommand("memclear", "Clear the memorized tag data");
  auto* clock = app.add_subcommand("clock", "Set the reader's clock");
  clock->add_option("--time", o.time, "\"YYYY-MM-DD hh:mm:ss\" instead of this computer's time");
  auto* upload = app.add_subcommand("upload", "Upload the memorized tag data into a text file");
  upload->add_option("-o,--output", o.output, "Text file to write")->required();
  auto* pin = app.add_subcommand("pin", "Send a new Bluetooth PIN code (1 to 16 characters)");
  pin->add_option("code", o.pin, "The PIN code")->required();
  auto* fresh = app.add_subcommand("new", "Write a settings file with the factory defaults");
  fresh->add_option("-o,--output", o.output, "Settings file to write")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  if (*ports) return CmdPorts(o);
  if (*info) return CmdInfo(o);
  if (*read) return CmdRead(o);
  if (*download) return CmdDownload(o);
  if (*battery) return CmdQuery(o, DeviceOperation::kBatteryQuery);
  if (*memsize) return CmdQuery(o, DeviceOperation::kMemorySizeQuery);
  if (*memclear) return CmdQuery(o, DeviceOperation::kClearMemory);
  if (*clock) return CmdClock(o);
  if (*upload) return CmdUpload(o);
  if (*pin) return CmdPin(o);
  if (*fresh) return CmdNew(o);
  return kExitUsage;
}

}  // namespace k470::cli

int main(int argc, char** argv) { return k470::cli::Main(argc, argv); }
