#include "core/numeric_correction.h"

#include <climits>

namespace k470 {

int NumericValue(const std::string& text) {
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

std::optional<std::string> CorrectToRange(const std::string& text, int min, int max) {
  if (text.empty()) return std::to_string(min);
  const int value = NumericValue(text);
  if (value > max) return std::to_string(max);
  if (value < min) return std::to_string(min);
  return std::nullopt;
}

NumericCorrection RangeCorrection(int min, int max) {
  return [min, max](const std::string& text) { return CorrectToRange(text, min, max); };
}

}  // namespace k470
