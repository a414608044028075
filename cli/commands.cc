#include "cli/commands.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/escape_text.h"
#include "cli/interrupt.h"
#include "cli/session.h"
#include "core/defaults.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "link/clock_command.h"
#include "link/memory_upload.h"
#include "link/pin_code.h"
#include "link/port_discovery.h"
#include "link/shell_port.h"
#include "settings/date_time/date_rules.h"

namespace k470::cli {
namespace {

int Fail(const std::string& text, ExitCode code) {
  std::fprintf(stderr, "k470ctl: %s\n", text.c_str());
  return code;
}

// Texts from the reader or the file system need not be UTF-8; JSON must be,
// so bytes that are not become U+FFFD instead of stopping the program.
void PrintJson(const nlohmann::json& value) {
  std::cout << value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

void PrintResult(const Options& o, const std::string& key, const nlohmann::json& value,
                 const std::string& text) {
  if (o.json) {
    PrintJson({{key, value}, {"text", text}});
  } else {
    std::cout << EscapeText(text) << "\n";  // the reader's words
  }
}

// "cannot write x.K470: No such file or directory", right after the failure
// (the file helpers always leave errno saying why).
std::string CannotWrite(const std::string& path) {
  return "cannot write " + path + ": " + FileErrorText(errno);
}

// What k470ctl says when the port of an upload or PIN cannot be opened.
std::string CannotOpen(Session& s, const std::string& name) {
  const std::string why = s.PortError();
  return "Can't open the COM port! (" + (why.empty() ? name : why) + ")";
}

// The value part of a result text, without its label and trailing CR.
std::string ValueAfter(const std::string& text, const std::string& label) {
  std::string v = text.starts_with(label) ? text.substr(label.size()) : text;
  while (!v.empty() && (v.back() == '\r' || v.back() == '\n')) v.pop_back();
  return v;
}

}  // namespace

int CmdPorts(const Options& o) {
  auto ports = DiscoverPorts(o.sysfs_root, o.dev_root);
  ports.pop_back();  // "-Select-"
  if (o.json) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& p : ports) list.push_back({{"port", p}, {"device", CurrentDeviceOf(p)}});
    PrintJson(list);
  } else if (ports.empty()) {
    std::fprintf(stderr, "k470ctl: no reader found on USB\n");
  } else {
    for (const auto& p : ports) {
      const std::string device = CurrentDeviceOf(p);
      std::cout << EscapeText(p) << (device == p ? "" : " -> " + EscapeText(device)) << "\n";
    }
  }
  return kExitOk;
}

int CmdInfo(const Options& o) {
  Session s(o);
  if (auto code = s.Run(DeviceOperation::kIdentify)) return *code;
  const DeviceInfo& d = s.state().device_info;
  if (o.json) {
    PrintJson({{"port", s.state().port_in_use},
               {"device_type", d.device_type},
               {"serial_number", d.serial_number},
               {"kernel_version", d.kernel_version},
               {"user_version", d.user_version},
               {"bt_mac_id", d.bt_mac_id}});
  } else {
    // The reader's texts reach a terminal: escaped, never sent as they are.
    std::cout << "Port:           " << EscapeText(s.state().port_in_use)
              << "\nDevice Type:    " << EscapeText(d.device_type)
              << "\nSerial Number:  " << EscapeText(d.serial_number)
              << "\nKernel Version: " << EscapeText(d.kernel_version)
              << "\nUser Version:   " << EscapeText(d.user_version)
              << "\nBT MAC ID:      " << EscapeText(d.bt_mac_id) << "\n";
  }
  return kExitOk;
}

int CmdRead(const Options& o) {
  Session s(o);
  s.ui().SetProgressLabel("Reading settings");
  s.state().read_settings_type =
      o.settings_type == "user" ? ReadSettingsType::kUserDefined : ReadSettingsType::kCurrent;
  if (auto code = s.Run(DeviceOperation::kReadSettings)) return *code;
  if (!WriteSettingsFile(s.state().image, o.output)) return Fail(CannotWrite(o.output), kExitFile);
  if (o.verbose) std::fprintf(stderr, "k470ctl: settings written to %s\n", o.output.c_str());
  if (o.json) PrintJson({{"file", o.output}, {"settings_type", o.settings_type}});
  return kExitOk;
}

int CmdDownload(const Options& o) {
  // Only a whole settings image goes to a reader: anything else would be
  // padded with defaults or cut, and sent with a fresh checksum as if valid.
  std::error_code ec;
  const auto size = std::filesystem::file_size(o.input, ec);
  if (!ec && size != kImageSize) {
    return Fail("settings file " + o.input + " is " + std::to_string(size) + " bytes, not " +
                    std::to_string(kImageSize),
                kExitFile);
  }
  Session s(o);
  s.ui().SetProgressLabel("Downloading settings");
  errno = 0;
  if (!Open(s.state(), o.input)) {
    const std::string why = FileErrorText(errno);
    return Fail("cannot read settings file " + o.input + ": " + why, kExitFile);
  }
  SetDownloadChoices(s, o);
  if (auto code = s.Run(DeviceOperation::kDownloadSettings)) return *code;
  if (o.json) {
    PrintJson({{"file", o.input}, {"settings_type", o.settings_type}, {"clock", o.clock}});
  }
  return kExitOk;
}

void SetDownloadChoices(Session& s, const Options& o) {
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
}

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

int CmdClock(const Options& o) {
  std::string command = ClockCommandAt(std::chrono::system_clock::now());
  if (o.time) {
    auto parsed = ClockCommandFromText(*o.time);
    if (!parsed)
      return Fail("--time wants a real date and time, \"YYYY-MM-DD hh:mm:ss\" (years 2000-2099)",
                  kExitUsage);
    command = *parsed;
  }
  Session s(o);
  s.state().clock_mode = ClockMode::kSetTimeAndDate;
  s.driver().SetClockCommand(command);
  if (auto code = s.Run(DeviceOperation::kSetClock)) return *code;
  const std::string set = command.substr(11, 17);  // "yy,MM,dd,hh,mm,ss"
  if (o.verbose) std::fprintf(stderr, "k470ctl: clock set: %s\n", set.c_str());
  if (o.json) PrintJson({{"clock", set}});
  return kExitOk;
}

int CmdQuery(const Options& o, DeviceOperation op) {
  Session s(o);
  if (auto code = s.Run(op)) return *code;
  const QueryResult r = QueryResultOf(op, s.driver().result_text());
  PrintResult(o, r.key, r.value, r.text);
  return kExitOk;
}

QueryResult QueryResultOf(DeviceOperation op, std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  if (op == DeviceOperation::kBatteryQuery) {
    return {"battery", ValueAfter(text, "The Battery Voltage is: "), text};
  }
  if (op == DeviceOperation::kMemorySizeQuery) {
    std::string kb = ValueAfter(text, "The Free Memory Size is: ");
    if (kb.ends_with(" KB")) kb.resize(kb.size() - 3);
    // A number for scripts; whatever else a reader says stays its text.
    const bool is_number =
        !kb.empty() && kb.size() < 10 && kb.find_first_not_of("0123456789") == std::string::npos;
    return {"free_memory_kb", is_number ? nlohmann::json(std::stoul(kb)) : nlohmann::json(kb),
            text};
  }
  return {"memory", "cleared", "Clear Memory Successful!"};
}

int CmdUpload(const Options& o) {
  Session s(o);
  s.ui().SetProgressLabel("Uploading memorized data");
  // The file is prepared before the reader is asked anything: a folder that
  // cannot be written fails without touching the reader.
  FileByteSink sink;
  if (!sink.Create(o.output)) return Fail(CannotWrite(o.output), kExitFile);
  // Who answers is checked as for every other operation: an upload from a
  // device that is no reader would report success for nothing.
  if (auto code = s.Run(DeviceOperation::kIdentify)) return *code;
  const std::string name = s.state().port_in_use;
  if (!OpenShellPort(s.port(), name)) return Fail(CannotOpen(s, name), kExitPort);
  const UploadResult r = UploadMemorizedData(s.port(), SteadyClock(), sink, s.ui());
  if (!r.ok) {
    if (Interrupted()) return kExitInterrupted;
    return Fail(UploadFailedText(r, sink, o.output), sink.write_failed() ? kExitFile : kExitReader);
  }
  if (o.json) {
    PrintJson({{"file", o.output}, {"bytes", r.bytes_written}});
  } else {
    std::cout << kUploadSucceededText << " (" << r.bytes_written << " bytes to " << o.output
              << ")\n";
  }
  return kExitOk;
}

std::string UploadFailedText(const UploadResult& r, const FileByteSink& sink,
                             const std::string& file) {
  // The cause in brackets after the first text, as read and download give theirs.
  const std::string cause =
      sink.write_failed() ? "cannot write " + file + ": " + FileErrorText(sink.error()) : r.failure;
  std::string text = kUploadFailedText;
  if (!cause.empty()) text += " (" + cause + ")";
  if (!sink.partial_path().empty()) {
    text += "; " + file + " is unchanged, the " + std::to_string(r.bytes_written) +
            " bytes received are in " + sink.partial_path();
  }
  return text;
}

int CmdPin(const Options& o) {
  if (!IsValidPinCode(o.pin)) {
    return Fail("the PIN code takes 1 to 16 ASCII letters and digits", kExitUsage);
  }
  Session s(o);
  if (auto code = s.Run(DeviceOperation::kIdentify)) return *code;
  const std::string name = s.state().port_in_use;
  if (!OpenShellPort(s.port(), name)) return Fail(CannotOpen(s, name), kExitPort);
  if (!SendPinCode(s.port(), SteadyClock(), o.pin)) {
    return Fail("cannot send the PIN code (" + s.PortError() + ")", kExitReader);
  }
  if (o.json) PrintJson({{"pin", "sent"}});
  return kExitOk;
}

int CmdNew(const Options& o) {
  AppState state;
  New(state);
  if (!WriteSettingsFile(state.image, o.output)) return Fail(CannotWrite(o.output), kExitFile);
  if (o.json) PrintJson({{"file", o.output}});
  return kExitOk;
}

}  // namespace k470::cli
