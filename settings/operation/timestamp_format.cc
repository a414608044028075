#include "settings/operation/timestamp_format.h"

namespace k470 {
namespace {

enum class Part { kDate, kTime, kWeekday };

struct FormatParts {
  std::array<Part, 3> parts;
  std::size_t count;
};

// The parts of each Timestamp Format entry, in the order of its text.
constexpr std::array<FormatParts, 10> kFormatParts = {{
    {{Part::kDate}, 1},
    {{Part::kDate, Part::kTime}, 2},
    {{Part::kDate, Part::kTime, Part::kWeekday}, 3},
    {{Part::kDate, Part::kWeekday, Part::kTime}, 3},
    {{Part::kTime}, 1},
    {{Part::kTime, Part::kDate}, 2},
    {{Part::kTime, Part::kDate, Part::kWeekday}, 3},
    {{Part::kTime, Part::kWeekday, Part::kDate}, 3},
    {{Part::kWeekday, Part::kDate, Part::kTime}, 3},
    {{Part::kWeekday, Part::kTime, Part::kDate}, 3},
}};

constexpr int kDefaultDate = 1;  // "yyyy-MM-dd"
constexpr int kDefaultTime = 0;  // "hh:mm:ss"
constexpr int kDefaultSeparator = 0;
constexpr int kDateFormats = 8;
constexpr std::array<char, kDateFormats> kDateInnerSeparators = {'/', '-', '.', '/',
                                                                 '-', '/', '-', '.'};

struct PartFields {
  std::array<std::uint8_t, 3> fields;
  std::size_t count;
  char inner;  // between two fields of the part
};

PartFields FieldsOf(Part part, int date, int time) {
  switch (part) {
    case Part::kDate: {
      const char inner = kDateInnerSeparators[static_cast<std::size_t>(date)];
      if (date <= 2) return {{kTsYear, kTsMonth, kTsDay}, 3, inner};
      if (date <= 4) return {{kTsMonth, kTsDay, kTsYear}, 3, inner};
      return {{kTsDay, kTsMonth, kTsYear}, 3, inner};
    }
    case Part::kTime:
      return time == 0 ? PartFields{{kTsHour, kTsMinute, kTsSecond}, 3, ':'}
                       : PartFields{{kTsHour, kTsMinute}, 2, ':'};
    case Part::kWeekday:
      return {{kTsWeekday}, 1, 0};
  }
  return {{}, 0, 0};
}

int InRangeOr(int code, int count, int fallback) {
  return code >= 0 && code < count ? code : fallback;
}

bool IsDateField(int f) { return f == kTsYear || f == kTsMonth || f == kTsDay; }

int SeparatorOf(std::uint8_t b) {
  if (b == '-') return 1;
  if (b == ',') return 2;
  return 0;  // " " and every other byte
}

int DateFormatOf(int first_field, std::uint8_t b) {
  switch (first_field) {
    case kTsYear:
      if (b == '/') return 0;
      if (b == '-') return 1;
      if (b == '.') return 2;
      break;
    case kTsMonth:
      if (b == '/') return 3;
      if (b == '-') return 4;
      break;
    case kTsDay:
      if (b == '/') return 5;
      if (b == '-') return 6;
      if (b == '.') return 7;
      break;
  }
  return kDefaultDate;
}

constexpr TimestampLists kFallback{1, kDefaultDate, kDefaultTime, kDefaultSeparator};

TimestampLists DecomposeFromDate(const std::array<int, 7>& f,
                                 const std::array<std::uint8_t, 6>& s) {
  TimestampLists l = kFallback;
  l.date = DateFormatOf(f[0], s[0]);
  if (f[3] == kTsNone) {
    l.format = 0;  // [Date]
  } else if (f[3] == kTsWeekday) {
    l.format = 3;  // [Date][Day of Week][Time]
    l.separator = SeparatorOf(s[2]);
    l.time = f[6] == kTsSecond ? 0 : 1;
  } else if (f[5] != kTsNone && !(f[5] == kTsSecond && f[6] == kTsNone)) {
    if (f[5] == kTsWeekday || f[6] == kTsWeekday) {
      l.format = 2;  // [Date][Time][Day of Week]
      l.separator = SeparatorOf(s[2]);
      l.time = f[5] == kTsSecond ? 0 : 1;
    }  // else [Date][Time] with the first-load time and separator
  } else {
    l.separator = SeparatorOf(s[2]);
    l.time = f[5] == kTsSecond ? 0 : 1;
  }
  return l;
}

TimestampLists DecomposeFromWeekday(const std::array<int, 7>& f,
                                    const std::array<std::uint8_t, 6>& s) {
  TimestampLists l = kFallback;
  if (f[1] == kTsHour) {
    l.format = 9;  // [Day of Week][Time][Date]
    l.separator = SeparatorOf(s[0]);
    if (f[3] == kTsSecond) {
      l.date = DateFormatOf(f[4], s[4]);
    } else if (IsDateField(f[3])) {
      l.time = 1;
      l.date = DateFormatOf(f[3], s[4]);
    }
  } else if (IsDateField(f[1])) {
    l.format = 8;  // [Day of Week][Date][Time]
    l.separator = SeparatorOf(s[0]);
    l.time = f[6] == kTsSecond ? 0 : 1;
    l.date = DateFormatOf(f[1], s[1]);
  }
  return l;
}

TimestampLists DecomposeFromHour(const std::array<int, 7>& f, const std::array<std::uint8_t, 6>& s,
                                 int shown_date) {
  TimestampLists l = kFallback;
  l.time = f[2] == kTsSecond ? 0 : 1;
  if (f[2] == kTsNone || f[3] == kTsNone) {
    l.format = 4;  // [Time]
    return l;
  }
  l.date = shown_date;
  if (f[2] == kTsWeekday || f[3] == kTsWeekday) {
    l.format = 7;  // [Time][Day of Week][Date]
    l.separator = SeparatorOf(f[2] == kTsWeekday ? s[1] : s[2]);
    if (f[2] == kTsWeekday && IsDateField(f[3])) {
      l.date = DateFormatOf(f[3], s[3]);
    } else if (f[3] == kTsWeekday && IsDateField(f[4])) {
      l.date = DateFormatOf(f[4], s[4]);
    }
    return l;
  }
  const bool time_then_date = f[5] == kTsNone || (f[6] == kTsNone && f[5] != kTsWeekday);
  if (time_then_date || f[5] == kTsWeekday || f[6] == kTsWeekday) {
    l.format = time_then_date ? 5 : 6;  // [Time][Date], [Time][Date][Day of Week]
    l.separator = SeparatorOf(f[2] == kTsSecond ? s[2] : s[1]);
    if (IsDateField(f[2])) {
      l.date = DateFormatOf(f[2], s[2]);
    } else if (IsDateField(f[3])) {
      l.date = DateFormatOf(f[3], s[3]);
    }
    return l;
  }
  // [Date][Time] with the time format read from the fields above.
  l.date = kDefaultDate;
  return l;
}

}  // namespace

TimestampSequence ComposeTimestamp(const TimestampLists& lists) {
  TimestampSequence seq;
  if (lists.format < 0 || lists.format >= static_cast<int>(kFormatParts.size())) return seq;
  const int date = InRangeOr(lists.date, kDateFormats, kDefaultDate);
  const int time = InRangeOr(lists.time, 2, kDefaultTime);
  const char between_parts = kFieldSeparatorCharacters[static_cast<std::size_t>(
      InRangeOr(lists.separator, 3, kDefaultSeparator))];
  const FormatParts& format = kFormatParts[static_cast<std::size_t>(lists.format)];
  std::size_t pos = 0;
  for (std::size_t k = 0; k < format.count; ++k) {
    const PartFields part = FieldsOf(format.parts[k], date, time);
    for (std::size_t j = 0; j < part.count; ++j) {
      if (pos > 0) {
        seq.separators[pos - 1] = static_cast<std::uint8_t>(j == 0 ? between_parts : part.inner);
      }
      seq.fields[pos++] = part.fields[j];
    }
  }
  return seq;
}

TimestampLists DecomposeTimestamp(const TimestampSequence& sequence, int shown_date) {
  std::array<int, 7> f{};
  for (std::size_t i = 0; i < f.size(); ++i) f[i] = sequence.fields[i] & 0x07;
  const auto& s = sequence.separators;
  switch (f[0]) {
    case kTsYear:
    case kTsMonth:
    case kTsDay:
      return DecomposeFromDate(f, s);
    case kTsWeekday:
      return DecomposeFromWeekday(f, s);
    case kTsHour:
      return DecomposeFromHour(f, s, InRangeOr(shown_date, kDateFormats, kDefaultDate));
    default:
      return kFallback;
  }
}

TimestampSequence ReadTimestamp(const SettingsImage& image) {
  TimestampSequence seq;
  for (unsigned i = 0; i < seq.fields.size(); ++i) {
    seq.fields[i] = static_cast<std::uint8_t>(image.Field(TimestampCodeField(i)));
  }
  for (std::size_t i = 0; i < seq.separators.size(); ++i) {
    seq.separators[i] = image.Byte(kTimestampSeparators.offset + i);
  }
  return seq;
}

void WriteTimestamp(const TimestampSequence& sequence, SettingsImage& image) {
  for (unsigned i = 0; i < sequence.fields.size(); ++i) {
    image.SetField(TimestampCodeField(i), sequence.fields[i]);
  }
  image.SetField(kTimestampMarker, 2);
  for (std::size_t i = 0; i < sequence.separators.size(); ++i) {
    image.SetByte(kTimestampSeparators.offset + i, sequence.separators[i]);
  }
}

TimestampEnables TimestampEnableRule(int format) {
  if (format == 0) return {true, false, false};  // [Date]
  if (format == 4) return {false, true, false};  // [Time]
  return {};
}

}  // namespace k470
