#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/escape_text.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "core/app_state.h"
#include "core/defaults.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "link/port_discovery.h"

namespace k470::cli {
namespace {}  // namespace

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

int CmdNew(const Options& o) {
  AppState state;
  New(state);
  if (!WriteSettingsFile(state.image, o.output)) {
    const std::string why = FileErrorText(errno);
    std::fprintf(stderr, "k470ctl: cannot write %s: %s\n", o.output.c_str(), why.c_str());
    return kExitFile;
  }
  if (o.json) PrintJson({{"file", o.output}});
  return kExitOk;
}

}  // namespace k470::cli
