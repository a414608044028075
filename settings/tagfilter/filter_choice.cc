#include "settings/tagfilter/filter_choice.h"

#include <limits>

namespace k470 {

unsigned DigitCountOf(std::string_view text) {
  constexpr unsigned kMax = std::numeric_limits<unsigned>::max();
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    const auto digit = static_cast<unsigned>(c - '0');
    if (value > (kMax - digit) / 10) return 0;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace k470
