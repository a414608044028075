// The control ids of the Operation page and of the dialogs it opens (the
// delimiter dialog and the key picker): each control carries its id as its
// objectName. Ids repeat between the page and its dialogs.
#pragma once

namespace k470::operation_page_ids {

// Scan Mode.
inline constexpr int kScanModeGroup = 1061;
inline constexpr int kSingleTagMode = 1064;
inline constexpr int kMultiTagMode = 1065;
inline constexpr int kTestMode = 1066;
inline constexpr int kSingleTagAdvanced = 1067;
inline constexpr int kMultiTagAdvanced = 1068;

// Memory Data.
inline constexpr int kMemoryDataGroup = 1062;
inline constexpr int kMemoryMode = 1208;
inline constexpr int kMemoryDelayLabel = 1070;
inline constexpr int kMemoryDelay = 1071;

// Output Format.
inline constexpr int kOutputFormatGroup = 1063;
inline constexpr int kDataFormatLabel = 1072;
inline constexpr int kDataFormat = 1075;
inline constexpr int kTransmissionBuffer = 1080;
inline constexpr int kTransmitDelayLabel = 1074;
inline constexpr int kTransmitDelay = 1079;
inline constexpr int kOutputSequenceLabel = 1073;
inline constexpr int kOutputSequence1 = 1076;
inline constexpr int kOutputSequence2 = 1077;
inline constexpr int kOutputSequence3 = 1078;

// The hidden operation mode, and Reset.
inline constexpr int kOperationModeLabel = 1060;
inline constexpr int kOperationMode = 1012;
inline constexpr int kReset = 1164;

// The untitled box around Counter, Timestamp and EPC Tag.
inline constexpr int kOutputSectionsGroup = 1198;

// Counter.
inline constexpr int kCounterGroup = 1081;
inline constexpr int kCounterPrefixLabel = 1084;
inline constexpr int kCounterPrefix = 1088;
inline constexpr int kCounterSuffixLabel = 1085;
inline constexpr int kCounterSuffix = 1089;
inline constexpr int kLeftPaddingEdit = 1090;  // hidden: the list below edits its byte
inline constexpr int kLeftPaddingLabel = 1086;
inline constexpr int kLeftPadding = 1239;
inline constexpr int kResetCounterLabel = 1087;
inline constexpr int kResetOnUhfPowerOn = 1097;
inline constexpr int kResetOnNewConnection = 1100;

// Timestamp.
inline constexpr int kTimestampGroup = 1082;
inline constexpr int kTimestampPrefixLabel = 1116;
inline constexpr int kTimestampPrefix = 1091;
inline constexpr int kTimestampSuffixLabel = 1119;
inline constexpr int kTimestampSuffix = 1092;
inline constexpr int kTimestampFormatLabel = 1104;
inline constexpr int kTimestampFormat = 1169;
inline constexpr int kDateFormatLabel = 1102;
inline constexpr int kDateFormat = 1167;
inline constexpr int kTimeFormatLabel = 1103;
inline constexpr int kTimeFormat = 1168;
inline constexpr int kFieldSeparatorLabel = 1105;
inline constexpr int kFieldSeparator = 1174;

// EPC Tag: prefix and suffix, then the data field picker.
inline constexpr int kEpcTagGroup = 1083;
inline constexpr int kEpcPrefixLabel = 1098;
inline constexpr int kEpcPrefix = 1093;
inline constexpr int kEpcSuffixLabel = 1099;
inline constexpr int kEpcSuffix = 1094;
inline constexpr int kField1 = 1173;  // the display row, left to right
inline constexpr int kField2 = 1191;
inline constexpr int kField3 = 1193;
inline constexpr int kField4 = 1195;
inline constexpr int kDelimiter = 1170;  // the button between fields 1 and 2
inline constexpr int kDelimiterLabel1 = 1248;
inline constexpr int kDelimiterLabel2 = 1249;
inline constexpr int kAvailableFields = 1199;
inline constexpr int kSelectedFields = 1200;
inline constexpr int kMoveToSelected = 1201;
inline constexpr int kMoveToAvailable = 1202;
inline constexpr int kMoveUp = 1203;
inline constexpr int kMoveDown = 1204;

// The delimiter dialog's radio buttons, by delimiter position; the last five
// are characters the reader takes but the dialog keeps hidden.
inline constexpr int kDelimiterNone = 1207;
inline constexpr int kDelimiterTab = 1208;
inline constexpr int kDelimiterComma = 1209;
inline constexpr int kDelimiterPeriod = 1210;
inline constexpr int kDelimiterHyphen = 1211;
inline constexpr int kDelimiterColon = 1212;
inline constexpr int kDelimiterSlash = 1213;
inline constexpr int kDelimiterBackslash = 1214;
inline constexpr int kDelimiterNull = 1215;

// The key picker.
inline constexpr int kPickerGrid = 801;
inline constexpr int kPickerResult = 802;
inline constexpr int kPickerScanCode = 601;
inline constexpr int kPickerNormalKey = 602;
inline constexpr int kPickerShift = 301;
inline constexpr int kPickerLeftCtrl = 302;
inline constexpr int kPickerLeftAlt = 303;
inline constexpr int kPickerRightCtrl = 304;
inline constexpr int kPickerRightAlt = 305;
inline constexpr int kPickerClear = 1167;

}  // namespace k470::operation_page_ids
