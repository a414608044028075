// Per-scheme wording and size of the filter fields: the digit range of the
// second field, which bounds the partition arithmetic and the pattern edits,
// and the captions the Single TAG Mode dialog relabels itself with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/tagfilter/filter_choice.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {

struct SchemeFields {
  int min_digits;  // digits (characters for GIAI-202 and ADI-var) at partition 0
  int max_digits;
  std::string_view second_field_label;   // second caption line beside the digit edit
  std::string_view first_field_caption;  // the first-field radio
  // The second-field radio: "By " and the label from its fourth character
  // (the labels carry a three-character article in front of the field name).
  std::string_view second_field_caption;
};

const SchemeFields& SchemeFieldsOf(Scheme scheme);

// "By " and the label from its fourth character: the labels carry a
// three-character article in front of the field name.
std::string SecondFieldCaption(Scheme scheme);

// What applying the digit range sets in the dialog.
struct DigitRange {
  int min_digits;
  int max_digits;
  std::string hint;  // replaces the dialog's opening "( 0~6 )"
  // New text limits of the pattern edits; none leaves a limit as it is.
  std::optional<int> pattern1_limit;
  std::optional<int> pattern2_limit;
};

// `filtering` is true while the Filter Type is "Include EPC" or "Exclude EPC";
// otherwise, and while no TAG type is selected, the GDTI-96 row applies.
// `count` is the digit edit's value when the step runs with one. A count of 0
// or above the maximum limits the patterns to the maximum, so a cleared digit
// edit neither locks the pattern edits nor lifts their limit.
DigitRange DigitRangeFor(bool filtering, std::optional<Scheme> scheme, FilterMethod method,
                         std::optional<unsigned> count, int partition_offset);

}  // namespace k470
