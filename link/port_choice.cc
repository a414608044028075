#include "link/port_choice.h"

#include "core/app_state.h"

namespace k470 {

std::string ConfiguredOrFirstPort(const std::string& configured,
                                  const std::vector<std::string>& port_list) {
  if (!configured.empty()) return configured;
  if (!port_list.empty() && port_list.front() != kNoPortRecord) return port_list.front();
  return {};
}

}  // namespace k470
