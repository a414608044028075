// The filter values each EPC scheme offers in the Single TAG Mode dialog's
// "Filter Value :" list, with the texts the list shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k470 {

struct FilterValueEntry {
  std::string text;
  int value;  // the entry's data; equals its index, except GID-96's single entry
};

// Entries in list order; empty for a header that names no scheme.
std::vector<FilterValueEntry> FilterValueEntries(std::uint8_t header);

}  // namespace k470
