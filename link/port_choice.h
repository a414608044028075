// Which port a command uses when the user has not just picked one: the
// configured port, else the first reader found. The device-operations driver,
// k470ctl and the COM Port Properties dialog all start from it.
#pragma once

#include <string>
#include <vector>

namespace k470 {

// `configured` when it is set, else the first record of `port_list` unless
// that is "-Select-"; empty when there is neither.
std::string ConfiguredOrFirstPort(const std::string& configured,
                                  const std::vector<std::string>& port_list);

}  // namespace k470
