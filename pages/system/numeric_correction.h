// The correction that the pages' digits-only edits run on every change of
// their text, including the changes made when a page loads: a number above
// the range shows as its maximum at once, an empty text (or one below the
// range) as its minimum, and a text that already reads a number within the
// range is left exactly as it is, leading zeros included.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k470 {

// The text to show instead of `text`, or nullopt when it stays.
std::optional<std::string> CorrectNumber(std::string_view text, unsigned minimum, unsigned maximum);

// The value an edit's text reads as: its leading digits as an unsigned
// number (0 when there are none), saturating instead of overflowing.
unsigned NumberOf(std::string_view text);

}  // namespace k470
