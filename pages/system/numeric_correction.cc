#include "pages/system/numeric_correction.h"

#include <algorithm>
#include <limits>

namespace k470 {

unsigned NumberOf(std::string_view text) {
  constexpr unsigned kMax = std::numeric_limits<unsigned>::max();
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const unsigned digit = static_cast<unsigned>(c - '0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return value;
}

std::optional<std::string> CorrectNumber(std::string_view text, unsigned minimum,
                                         unsigned maximum) {
  const bool digits_only = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
  const unsigned value = NumberOf(text);
  const unsigned corrected = std::clamp(value, minimum, maximum);
  if (digits_only && corrected == value) return std::nullopt;
  return std::to_string(corrected);
}

}  // namespace k470
