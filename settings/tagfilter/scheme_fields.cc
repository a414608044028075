#include "settings/tagfilter/scheme_fields.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "settings/tagfilter/partition_tables.h"

namespace k470 {
namespace {

constexpr std::string_view kGs1Prefix = "By GS1 company prefix";

// Indexed by scheme.
constexpr std::array<SchemeFields, kTagTypeCount> kSchemeFields = {{
    {0, 6, " a document type", kGs1Prefix},
    {5, 11, " a serial reference", kGs1Prefix},
    {0, 11, " a serial number", "By government managed identifier"},
    {1, 7, "an item reference", kGs1Prefix},
    {5, 11, " a serial reference", kGs1Prefix},
    {0, 6, " a location reference", kGs1Prefix},
    {0, 6, "an asset type", kGs1Prefix},
    {13, 19, "an individual asset reference", kGs1Prefix},
    {0, 8, " a object class", "By general manager number"},
    {1, 7, "an item reference", kGs1Prefix},
    {0, 6, "an asset type", kGs1Prefix},
    {18, 24, "an individual asset reference", kGs1Prefix},
    {0, 6, " a location reference", kGs1Prefix},
    {0, 6, " a document type", kGs1Prefix},
    {1, 32, " a part number", "By CAGE/DoDAAC"},
}};

// First-field limits: the width of the identifier the first field compares.
int FirstFieldLimit(Scheme scheme, bool with_count, int partition_offset) {
  switch (scheme) {
    case Scheme::kDod96:
    case Scheme::kAdiVar:
      return 6;
    case Scheme::kGid96:
      return 9;
    case Scheme::kGiai202:
      return 18 + (with_count ? ClampPartition(partition_offset) : 0);
    default:
      return 12;
  }
}

}  // namespace

const SchemeFields& SchemeFieldsOf(Scheme scheme) {
  return kSchemeFields[static_cast<std::size_t>(scheme)];
}

std::string SecondFieldCaption(Scheme scheme) {
  return "By " + std::string(SchemeFieldsOf(scheme).second_field_label.substr(3));
}

DigitRange DigitRangeFor(bool filtering, std::optional<Scheme> scheme, FilterMethod method,
                         std::optional<unsigned> count, int partition_offset) {
  const Scheme row = filtering && scheme ? *scheme : Scheme::kGdti96;
  const SchemeFields& fields = SchemeFieldsOf(row);
  DigitRange range{fields.min_digits, fields.max_digits, {}, std::nullopt, std::nullopt};

  char hint[32];
  std::snprintf(hint, sizeof hint, "(%d~%d digits/characters)", fields.min_digits,
                fields.max_digits);
  range.hint = hint;

  switch (method) {
    case FilterMethod::kFirstField:
      range.pattern1_limit = FirstFieldLimit(row, count.has_value(), partition_offset);
      break;
    case FilterMethod::kSecondField: {
      const auto max = static_cast<unsigned>(fields.max_digits);
      const unsigned limit = count && *count != 0 ? std::min(*count, max) : max;
      range.pattern1_limit = range.pattern2_limit = static_cast<int>(limit);
      break;
    }
    case FilterMethod::kFilterValue:
      break;
  }
  return range;
}

}  // namespace k470
