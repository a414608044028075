#include "cli/fleet.h"

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "cli/escape_text.h"
#include "cli/interrupt.h"
#include "cli/json_output.h"
#include "cli/messages.h"
#include "link/port_discovery.h"

namespace k470::cli {
namespace {

// The order in which the summary counts results.
constexpr const char* kResults[] = {"ok", "changed", "unchanged", "differs", "failed"};

struct Finished {
  std::string port;
  std::string serial;  // empty when the reader never told it
  ReaderOutcome outcome;
};

void PrintReader(const Options& o, const Finished& f) {
  if (o.json) {
    nlohmann::json line = f.outcome.fields;
    line["port"] = f.port;
    line["serial_number"] = f.serial.empty() ? nlohmann::json(nullptr) : nlohmann::json(f.serial);
    line["result"] = f.outcome.result;
    line["ok"] = f.outcome.succeeded();
    line[f.outcome.result == "failed" ? "error" : "text"] = f.outcome.text;
    if (!f.outcome.succeeded()) line["exit_code"] = static_cast<int>(f.outcome.code);
    PrintJson(line);
  } else {
    // Tab-separated, so `cut -f` takes it apart: no field holds a TAB or LF
    // (nor anything else a terminal acts on), whatever the reader sent.
    std::cout << EscapeText(f.port) << '\t' << (f.serial.empty() ? "-" : EscapeText(f.serial))
              << '\t' << f.outcome.result << '\t' << EscapeText(f.outcome.text) << "\n";
  }
  std::cout.flush();
}

int ExitCodeOf(const std::vector<Finished>& finished) {
  std::optional<ExitCode> failed;
  bool mixed = false, differs = false;
  for (const Finished& f : finished) {
    if (f.outcome.succeeded()) continue;
    if (f.outcome.result != "failed") {
      differs = true;
      continue;
    }
    if (failed && *failed != f.outcome.code) mixed = true;
    failed = f.outcome.code;
  }
  if (failed) return mixed ? kExitReader : *failed;
  return differs ? kExitDiffers : kExitOk;
}

void PrintSummary(const Options& o, const std::vector<Finished>& finished, int code) {
  std::map<std::string, int> counts;
  for (const Finished& f : finished) ++counts[f.outcome.result];
  if (o.json) {
    nlohmann::json results = nlohmann::json::object();
    for (const char* r : kResults) {
      if (counts[r] > 0) results[r] = counts[r];
    }
    nlohmann::json failed = nlohmann::json::array();
    for (const Finished& f : finished) {
      if (f.outcome.result == "failed")
        failed.push_back({{"port", f.port}, {"error", f.outcome.text}});
    }
    PrintJson({{"summary",
                {{"readers", finished.size()},
                 {"results", results},
                 {"failed", failed},
                 {"exit_code", code}}}});
    return;
  }
  std::string line =
      "summary: " + std::to_string(finished.size()) + " reader" + (finished.size() == 1 ? "" : "s");
  for (const char* r : kResults) {
    if (counts[r] > 0) line += ", " + std::to_string(counts[r]) + " " + r;
  }
  std::string failed;
  for (const Finished& f : finished) {
    if (f.outcome.result != "failed") continue;
    failed += (failed.empty() ? "" : "; ") + EscapeText(f.port) + ": " + EscapeText(f.outcome.text);
  }
  if (!failed.empty()) line += " (" + failed + ")";
  std::cout << line << "\n";
}

}  // namespace

std::optional<std::vector<std::string>> FleetPorts(const Options& o, ExitCode& code) {
  std::vector<std::string> ports = o.ports;
  if (o.all) {
    // Every reader on the hub, not only as many as the desktop's port list holds.
    ports = DiscoverPorts(o.sysfs_root, o.dev_root, kReaderVendorId, SIZE_MAX);
    ports.pop_back();  // "-Select-"
    if (ports.empty()) {
      SayError("no reader found on USB");
      code = kExitPort;
      return std::nullopt;
    }
  }
  // Two names of one device (a by-id link and its ttyACM) would have two
  // workers talk over each other on one line.
  std::map<std::string, std::string> by_device;
  for (const std::string& port : ports) {
    auto [it, added] = by_device.emplace(CurrentDeviceOf(port), port);
    if (!added) {
      SayError(it->second + " and " + port + " are the same reader; name it once");
      code = kExitUsage;
      return std::nullopt;
    }
  }
  return ports;
}

int RunFleet(const Options& o, const std::vector<std::string>& ports, const ReaderJob& job) {
  std::mutex mutex;  // guards `finished` and stdout
  std::vector<Finished> finished;
  std::vector<Options> options(ports.size(), o);
  std::vector<std::thread> workers;
  workers.reserve(ports.size());
  for (std::size_t i = 0; i < ports.size(); ++i) {
    Options& mine = options[i];
    mine.port = ports[i];
    mine.fleet_worker = true;
    mine.index = static_cast<int>(i) + 1;
    workers.emplace_back([&, &mine = mine] {
      Session s(mine);
      ReaderOutcome outcome = job(s, mine);
      if (outcome.result == "failed" && outcome.text.empty()) {
        outcome.text = Interrupted() ? "interrupted" : s.ui().last_error();
      }
      const std::string& used = s.state().port_in_use;
      const std::string& serial = s.state().device_info.serial_number;
      Finished f{!used.empty()        ? used
                 : !mine.port.empty() ? mine.port
                                      : "-",
                 serial == DeviceInfo().serial_number ? "" : serial, std::move(outcome)};
      std::lock_guard lock(mutex);
      PrintReader(o, f);
      finished.push_back(std::move(f));
    });
  }
  for (std::thread& w : workers) w.join();
  // The summary's exit code is the program's: after Ctrl-C, 130.
  const int code = Interrupted() ? kExitInterrupted : ExitCodeOf(finished);
  PrintSummary(o, finished, code);
  return code;
}

int RunOnOneReader(const Options& o, const ReaderJob& job) {
  Session s(o);
  const ReaderOutcome outcome = job(s, o);
  if (!outcome.succeeded()) {
    if (!outcome.text.empty()) SayError(outcome.text);
    return outcome.code;
  }
  if (outcome.verbose_text && o.verbose) {
    SayNote(outcome.text);
  }
  if (o.json) {
    PrintJson(outcome.fields);
  } else if (outcome.shown) {
    std::cout << *outcome.shown << "\n";
  }
  return kExitOk;
}

}  // namespace k470::cli
