// The decimal fields of the EPC filter (a company prefix, an item reference, a
// serial number): which patterns are numbers, how many bits hold them, and
// whether a text typed for one is a number that fits. The Single TAG Mode
// dialog and k470ctl import check patterns with these before they store.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/tagfilter/filter_choice.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {

// The bits of the field `choice`'s method compares for `scheme` when that
// field is a number; none when it holds characters (DoD-96's and ADI-var's
// first field, GIAI-202's and ADI-var's second) or the method is the filter
// value. A company prefix's width follows the length of pattern1, a second
// field's the digit count, as the stored record's do.
std::optional<unsigned> DecimalFieldBits(Scheme scheme, const FilterChoice& choice);

// Why `text` cannot be a decimal field of `bits` bits: a character other than
// the digits 0-9, or a number above 2^bits - 1. None when it can; an empty
// text, stored as 0, can.
std::optional<std::string> DecimalPatternError(std::string_view text, unsigned bits);

}  // namespace k470
