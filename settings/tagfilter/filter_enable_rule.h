// Which of the Single TAG Mode dialog's filter controls are enabled, from what
// the dialog shows: the Filter Type, the TAG type and the checked method.
#pragma once

#include <cstdint>
#include <optional>

#include "settings/tagfilter/filter_choice.h"

namespace k470 {

struct FilterEnables {
  // "Filter Type :" and its list. Without a TAG type no record can be
  // written, so the filter cannot be switched on or off.
  bool filter_type = false;
  // TAG Type, "Filter Method :" and the first- and second-field radios.
  bool scheme = false;
  bool by_filter_value = false;  // the radio; GID-96 has no filter value
  bool filter_value = false;     // "Filter Value :" and its list
  bool pattern1 = false;         // "Pattern1 :" and its edit
  // The digit count with its captions and range, and Pattern2.
  bool second_field = false;

  friend bool operator==(const FilterEnables&, const FilterEnables&) = default;
};

// Everything is off without a TAG type (`header`), and all but the Filter Type
// while it is "Disable Filter"; any other Filter Type, no selection included,
// filters. The method decides which fields compare: the filter value, or
// Pattern1 alone, or the digit count with both patterns.
FilterEnables FilterEnableRule(FilterType type, std::optional<std::uint8_t> header,
                               FilterMethod method);

}  // namespace k470
