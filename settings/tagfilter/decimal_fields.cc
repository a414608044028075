#include "settings/tagfilter/decimal_fields.h"

#include <cstdint>

#include "settings/tagfilter/epc_filter.h"

namespace k470 {

std::optional<unsigned> DecimalFieldBits(Scheme scheme, const FilterChoice& choice) {
  switch (choice.method) {
    case FilterMethod::kFilterValue:
      return std::nullopt;
    case FilterMethod::kFirstField:
      if (scheme == Scheme::kDod96 || scheme == Scheme::kAdiVar) return std::nullopt;
      break;
    case FilterMethod::kSecondField:
      if (scheme == Scheme::kGiai202 || scheme == Scheme::kAdiVar) return std::nullopt;
      break;
  }
  // The record's length is the width the codec encodes the number into.
  return EncodeFilterRecord(scheme, choice).length;
}

std::optional<std::string> DecimalPatternError(std::string_view text, unsigned bits) {
  if (text.find_first_not_of("0123456789") != std::string_view::npos) {
    return "must be decimal digits only";
  }
  const unsigned width = bits < 64 ? bits : 64;
  const std::uint64_t most = width == 64 ? UINT64_MAX : (std::uint64_t{1} << width) - 1;
  std::uint64_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (most - digit) / 10) {
      return "is too large for its " + std::to_string(width) + " bits (at most " +
             std::to_string(most) + ")";
    }
    value = value * 10 + digit;
  }
  return std::nullopt;
}

}  // namespace k470
