// What the Single TAG Mode dialog's filter controls hold: the Filter Type, the
// checked method radio, the TAG type, the filter value, the pattern texts and
// the digit count. The filter codec loads these from the image and stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace k470 {

// Values are the "Filter Type :" list's entry data.
enum class FilterType { kNoSelection = -1, kDisableFilter = 0, kIncludeEpc = 1, kExcludeEpc = 2 };

// The three method radios: "By EPC Filter Value", the scheme's first field
// ("By GS1 company prefix" and kin) and its second field ("By item reference" and kin).
enum class FilterMethod { kFilterValue, kFirstField, kSecondField };

struct FilterChoice {
  FilterType filter_type = FilterType::kDisableFilter;
  FilterMethod method = FilterMethod::kFirstField;
  // Data of the selected TAG type entry; none when no type is enabled.
  std::optional<std::uint8_t> header;
  // Data of the selected Filter Value entry; none when nothing is selected.
  std::optional<int> filter_value;
  std::string pattern1;
  std::string pattern2;
  // The digit edit; none while it is empty.
  std::optional<unsigned> digit_count;

  friend bool operator==(const FilterChoice&, const FilterChoice&) = default;
};

// The digit edit read as an unsigned number: anything but plain digits, or a
// number too large to hold, counts as 0.
unsigned DigitCountOf(std::string_view text);

}  // namespace k470
