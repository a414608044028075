#include "settings/tagfilter/scheme_fields.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/translatable.h"
#include "settings/tagfilter/partition_tables.h"

namespace k470 {
namespace {

constexpr std::string_view kGs1Prefix = K470_TR_NOOP("k470", "By GS1 company prefix");

// Indexed by scheme.
constexpr std::array<SchemeFields, kTagTypeCount> kSchemeFields = {{
    {0, 6, K470_TR_NOOP("k470", " a document type"), kGs1Prefix,
     K470_TR_NOOP("k470", "By document type")},
    {5, 11, K470_TR_NOOP("k470", " a serial reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By serial reference")},
    {0, 11, K470_TR_NOOP("k470", " a serial number"),
     K470_TR_NOOP("k470", "By government managed identifier"),
     K470_TR_NOOP("k470", "By serial number")},
    {1, 7, K470_TR_NOOP("k470", "an item reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By item reference")},
    {5, 11, K470_TR_NOOP("k470", " a serial reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By serial reference")},
    {0, 6, K470_TR_NOOP("k470", " a location reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By location reference")},
    {0, 6, K470_TR_NOOP("k470", "an asset type"), kGs1Prefix,
     K470_TR_NOOP("k470", "By asset type")},
    {13, 19, K470_TR_NOOP("k470", "an individual asset reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By individual asset reference")},
    {0, 8, K470_TR_NOOP("k470", " a object class"),
     K470_TR_NOOP("k470", "By general manager number"), K470_TR_NOOP("k470", "By object class")},
    {1, 7, K470_TR_NOOP("k470", "an item reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By item reference")},
    {0, 6, K470_TR_NOOP("k470", "an asset type"), kGs1Prefix,
     K470_TR_NOOP("k470", "By asset type")},
    {18, 24, K470_TR_NOOP("k470", "an individual asset reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By individual asset reference")},
    {0, 6, K470_TR_NOOP("k470", " a location reference"), kGs1Prefix,
     K470_TR_NOOP("k470", "By location reference")},
    {0, 6, K470_TR_NOOP("k470", " a document type"), kGs1Prefix,
     K470_TR_NOOP("k470", "By document type")},
    {1, 32, K470_TR_NOOP("k470", " a part number"), K470_TR_NOOP("k470", "By CAGE/DoDAAC"),
     K470_TR_NOOP("k470", "By part number")},
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
  return std::string(SchemeFieldsOf(scheme).second_field_caption);
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
