// Filter choices the Single TAG Mode dialog can make, at random: texts from
// the alphabet of the field they go into and no longer than the dialog's
// edits let them be. Shared by the codec tests and the dialog tests.
#pragma once

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "core/settings_image.h"
#include "settings/tagfilter/filter_choice.h"
#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/scheme_fields.h"
#include "settings/tagfilter/tag_types.h"

namespace k470::testing {

inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kPrintable =
    " !\"#$%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz";
inline constexpr std::string_view kAdiCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-/ ";

inline std::string RandomText(std::mt19937& rng, std::string_view alphabet, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text.push_back(alphabet[rng() % alphabet.size()]);
  return text;
}

// A choice for `type` with this Filter Type and method radio: a digit count
// (mostly) from 0 to a little above the range, patterns within the limits
// that count sets, Pattern2 empty, equal to Pattern1 or its own.
inline FilterChoice GenerateChoice(std::mt19937& rng, const TagType& type, FilterType filter_type,
                                   FilterMethod method) {
  const SchemeFields& fields = SchemeFieldsOf(type.scheme);
  const auto count = static_cast<unsigned>(rng() % (fields.max_digits + 4));
  const DigitRange range = DigitRangeFor(true, type.scheme, method, count,
                                         std::max(0, static_cast<int>(count) - fields.min_digits));
  std::string_view alphabet = kDigits;
  if (type.scheme == Scheme::kAdiVar) alphabet = kAdiCharacters;
  if (type.scheme == Scheme::kDod96 && method == FilterMethod::kFirstField) alphabet = kPrintable;
  if (type.scheme == Scheme::kGiai202 && method == FilterMethod::kSecondField) {
    alphabet = kPrintable;
  }

  const auto text = [&](std::optional<int> limit) {
    return RandomText(rng, alphabet, rng() % (static_cast<std::size_t>(limit.value_or(12)) + 1));
  };
  FilterChoice choice;
  choice.filter_type = filter_type;
  choice.method = method;
  choice.header = type.header;
  choice.pattern1 = text(range.pattern1_limit);
  switch (rng() % 3) {
    case 0:
      break;  // Pattern2 left empty
    case 1:
      choice.pattern2 = choice.pattern1;
      break;
    default:
      choice.pattern2 = text(range.pattern2_limit);
  }
  if (rng() % 4 != 0) choice.digit_count = count;
  choice.filter_value = static_cast<int>(rng() % FilterValueEntries(type.header).size());
  return choice;
}

}  // namespace k470::testing
