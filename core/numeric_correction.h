// How a digits-only edit of a settings page corrects its text. The edit runs
// the correction on every change of its text, the page's load included; there
// are no messages, a wrong number is replaced in place.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace k470 {

// Given the edit's text, the text it must show instead, or nullopt to leave it.
using NumericCorrection = std::function<std::optional<std::string>(const std::string& text)>;

// The value a digits-only text reads: its leading digits as a number, 0 when
// there are none; values beyond the int range read as INT_MAX.
int NumericValue(const std::string& text);

// The rule of most numeric edits: a value above `max` becomes `max`, a value
// below `min` and an empty text become `min`. A text that reads a number from
// `min` to `max` is never rewritten ("007" stays).
std::optional<std::string> CorrectToRange(const std::string& text, int min, int max);

// CorrectToRange as a correction for an edit.
NumericCorrection RangeCorrection(int min, int max);

}  // namespace k470
