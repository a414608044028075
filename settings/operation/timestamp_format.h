// The timestamp as stored (seven field codes, a separator after each) and as
// edited (four lists): composition for the store, decomposition for the load.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/settings_image.h"

namespace k470 {

// Field codes of the stored sequence.
enum TimestampField : std::uint8_t {
  kTsNone = 0,
  kTsYear = 1,
  kTsMonth = 2,
  kTsDay = 3,
  kTsWeekday = 4,
  kTsHour = 5,
  kTsMinute = 6,
  kTsSecond = 7,
};

inline constexpr std::array<std::string_view, 8> kTimestampFieldNames = {
    "Disable", "Year", "Month", "Day", "Weekday", "Hour", "Minute", "Second"};

// Characters of the Timestamp Field Separator codes 0-2.
inline constexpr std::array<char, 3> kFieldSeparatorCharacters = {' ', '-', ','};

// Codes of the Timestamp Format, Date Format, Time Format and Timestamp Field
// Separator lists (see operation_lists.h); the defaults give the factory sequence.
struct TimestampLists {
  int format = 1;
  int date = 1;
  int time = 0;
  int separator = 0;

  friend bool operator==(const TimestampLists&, const TimestampLists&) = default;
};

struct TimestampSequence {
  std::array<std::uint8_t, 7> fields{};      // TimestampField codes
  std::array<std::uint8_t, 6> separators{};  // character after field i; 0 for none

  friend bool operator==(const TimestampSequence&, const TimestampSequence&) = default;
};

// A format outside the list gives an empty sequence. A date, time or
// separator code outside its list counts as the list's first-load choice
// ("yyyy-MM-dd", "hh:mm:ss", "[Space]"), so no table is read past its end.
TimestampSequence ComposeTimestamp(const TimestampLists& lists);

// The lists that give back a stored sequence. A few foreign sequences leave
// the Date Format as the list shows it now: `shown_date` is that code, and
// when the list shows nothing "yyyy-MM-dd" is chosen instead.
TimestampLists DecomposeTimestamp(const TimestampSequence& sequence, int shown_date);

TimestampSequence ReadTimestamp(const SettingsImage& image);
// Writes the fields and separators and the constant 2 into bits 21-22;
// bits 23-31 of the word keep their value.
void WriteTimestamp(const TimestampSequence& sequence, SettingsImage& image);

// Which of the Date Format, Time Format and Field Separator labels and lists
// a Timestamp Format enables.
struct TimestampEnables {
  bool date = true;
  bool time = true;
  bool separator = true;

  friend bool operator==(const TimestampEnables&, const TimestampEnables&) = default;
};
TimestampEnables TimestampEnableRule(int format);

}  // namespace k470
