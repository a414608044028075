// Control ids of the Date & Time page: each control carries its id as its
// objectName.
#pragma once

#include <array>

namespace k470::date_time_page_ids {

// The clock modes, in ClockMode order.
inline constexpr int kSkip = 1141;
inline constexpr int kSyncWithHost = 1142;
inline constexpr int kSetTimeAndDate = 1143;
inline constexpr std::array<int, 3> kModes = {kSkip, kSyncWithHost, kSetTimeAndDate};

inline constexpr int kDateAndTime = 1163;  // the group
inline constexpr int kDateLabel = 1144;
inline constexpr int kTimeLabel = 1145;
inline constexpr int kYear = 1146;
inline constexpr int kMonth = 1147;
inline constexpr int kDay = 1148;
inline constexpr int kHour = 1149;
inline constexpr int kMinute = 1150;
inline constexpr int kSecond = 1151;
inline constexpr int kYearSpin = 1152;
inline constexpr int kMonthSpin = 1153;
inline constexpr int kDaySpin = 1154;
inline constexpr int kHourSpin = 1155;
inline constexpr int kMinuteSpin = 1156;
inline constexpr int kSecondSpin = 1157;
// The "/" between year, month and day and the ":" between hour, minute and second.
inline constexpr int kYearMonthSlash = 1158;
inline constexpr int kMonthDaySlash = 1159;
inline constexpr int kHourMinuteColon = 1160;
inline constexpr int kMinuteSecondColon = 1161;
inline constexpr int kUpdate = 1162;

}  // namespace k470::date_time_page_ids
