#include "settings/tagfilter/filter_enable_rule.h"

#include "settings/tagfilter/tag_types.h"

namespace k470 {

FilterEnables FilterEnableRule(FilterType type, std::optional<std::uint8_t> header,
                               FilterMethod method) {
  if (!header) return {};
  const bool on = type != FilterType::kDisableFilter;
  return {.filter_type = true,
          .scheme = on,
          .by_filter_value = on && *header != kHeaderGid96,
          .filter_value = on && method == FilterMethod::kFilterValue,
          .pattern1 = on && method != FilterMethod::kFilterValue,
          .second_field = on && method == FilterMethod::kSecondField};
}

}  // namespace k470
