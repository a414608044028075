// An entry of a settings page's drop-down list: the text it shows and the
// code that goes into the settings image when it is chosen. Pages keep their
// lists as tables of these, so the tables can be checked without Qt.
#pragma once

#include <string_view>

namespace k470 {

struct ListEntry {
  std::string_view text;
  int code;
};

// What a list reports when no entry is selected: a stored code without an
// entry selects nothing, and the page may then keep the stored value.
inline constexpr int kNoCode = -1;

}  // namespace k470
