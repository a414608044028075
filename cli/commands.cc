#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/escape_text.h"
#include "cli/exit_codes.h"
#include "cli/file_args.h"
#include "cli/json_output.h"
#include "cli/messages.h"
#include "core/app_state.h"
#include "core/defaults.h"
#include "core/file_env.h"
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
    SayNote("no reader found on USB");
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
  if (!WriteOutput(o.output, state.image.span())) {
    SayError("cannot write " + o.output + ": " + FileErrorText(errno));
    return kExitFile;
  }
  if (o.json) PrintJson({{"file", o.output}});
  return kExitOk;
}

}  // namespace k470::cli
