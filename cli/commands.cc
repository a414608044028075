#include "cli/commands.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/session.h"
#include "core/defaults.h"
#include "core/settings_file.h"
#include "link/clock_command.h"
#include "link/memory_upload.h"
#include "link/pin_code.h"
#include "link/port_discovery.h"
#include "link/shell_port.h"
#include "pages/system/date_rules.h"

namespace k470::cli {
namespace {

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

}  // namespace

int CmdPorts(const Options& o) {
  auto ports = DiscoverPorts(o.sysfs_root, o.dev_root);
  ports.pop_back();  // "-Select-"
  if (o.json) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& p : ports) list.push_back({{"port", p}, {"device", CurrentDeviceOf(p)}});
    std::cout << list.dump() << "\n";
  } else if (ports.empty()) {
    std::fprintf(stderr, "k470ctl: no reader found on USB\n");
  } else {
    for (const auto& p : ports) {
      const std::string device = CurrentDeviceOf(p);
      std::cout << p << (device == p ? "" : " -> " + device) << "\n";
    }
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
  ClockTime t;
  char extra;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &t.year, &t.month, &t.day, &t.hour,
                  &t.minute, &t.second, &extra) != 6 &&
      std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d%c", &t.year, &t.month, &t.day, &t.hour,
                  &t.minute, &t.second, &extra) != 6) {
    return std::nullopt;
  }
  if (!IsValidClockTime(t)) return std::nullopt;
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

}  // namespace k470::cli
