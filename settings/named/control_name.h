// The objectName of a numbered control, known at compile time, so the tables
// that name controls (the setting labels, the tests) take the ids of the
// page's id header rather than repeat them as text.
#pragma once

#include <array>
#include <cstddef>

namespace k470 {
namespace control_name_detail {

constexpr std::size_t DigitCount(int id) {
  std::size_t digits = 1;
  for (; id >= 10; id /= 10) ++digits;
  return digits;
}

// The decimal digits of `Id` and a terminating NUL.
template <int Id>
inline constexpr auto kDigits = [] {
  static_assert(Id >= 0, "control ids are not negative");
  std::array<char, DigitCount(Id) + 1> text{};
  int rest = Id;
  for (std::size_t i = DigitCount(Id); i-- > 0; rest /= 10) {
    text[i] = static_cast<char>('0' + rest % 10);
  }
  return text;
}();

}  // namespace control_name_detail

// "1208" for 1208: what Named() gives the control as its objectName.
template <int Id>
inline constexpr const char* kControlName = control_name_detail::kDigits<Id>.data();

}  // namespace k470
