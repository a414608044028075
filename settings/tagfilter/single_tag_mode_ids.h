// The object names of the Single TAG Mode dialog's controls. They have no
// numeric ids, so each is named for what it is; a numeric edit's spin
// buttons take its name and "Spin".
#pragma once

namespace k470::single_tag_mode_ids {

// Scan timing.
inline constexpr char kScanningTimeoutLabel[] = "scanningTimeoutLabel";
inline constexpr char kScanningTimeout[] = "scanningTimeout";
inline constexpr char kScanningTimeoutSpin[] = "scanningTimeoutSpin";
inline constexpr char kDelayLabel[] = "delayLabel";
inline constexpr char kDelay[] = "delay";

// Multi-TAG Count.
inline constexpr char kMultiTagCount[] = "multiTagCount";
inline constexpr char kCounterLimitLabel[] = "counterLimitLabel";
inline constexpr char kCounterLimit[] = "counterLimit";
inline constexpr char kCounterLimitSpin[] = "counterLimitSpin";
inline constexpr char kWarnAtLimit[] = "warnAtLimit";

// Filter EPC.
inline constexpr char kFilterEpc[] = "filterEpc";
inline constexpr char kFilterTypeLabel[] = "filterTypeLabel";
inline constexpr char kFilterType[] = "filterType";
inline constexpr char kTagTypeLabel[] = "tagTypeLabel";
inline constexpr char kTagType[] = "tagType";
inline constexpr char kFilterMethodLabel[] = "filterMethodLabel";
inline constexpr char kByFilterValue[] = "byFilterValue";
inline constexpr char kByFirstField[] = "byFirstField";
inline constexpr char kBySecondField[] = "bySecondField";
inline constexpr char kFilterValueLabel[] = "filterValueLabel";
inline constexpr char kFilterValue[] = "filterValue";
inline constexpr char kDigitCaption[] = "digitCaption";
inline constexpr char kDigitFieldLabel[] = "digitFieldLabel";
inline constexpr char kDigitCount[] = "digitCount";
inline constexpr char kDigitRange[] = "digitRange";
inline constexpr char kPattern1Label[] = "pattern1Label";
inline constexpr char kPattern1[] = "pattern1";
inline constexpr char kPattern2Label[] = "pattern2Label";
inline constexpr char kPattern2[] = "pattern2";

}  // namespace k470::single_tag_mode_ids
