// The objectName of a control with a numeric id, as text known at compile
// time: tables such as the named settings' labels name their controls by the
// same constants the pages build them with.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace k470 {

template <int Id>
struct ControlIdText {
  static_assert(Id >= 0);
  static constexpr std::array<char, 12> kDigits = [] {
    std::array<char, 12> reversed{};
    std::size_t n = 0;
    int rest = Id;
    do {
      reversed[n++] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    std::array<char, 12> digits{};
    for (std::size_t i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
    return digits;
  }();
  static constexpr std::string_view kText{kDigits.data()};
};

// "1014" for 1014.
template <int Id>
inline constexpr std::string_view kControlIdText = ControlIdText<Id>::kText;

}  // namespace k470
