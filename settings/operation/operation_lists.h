// Texts and stored codes of the Operation page's drop-down lists, in the
// order the page fills them. The code, not the position, goes into the image.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/app_state.h"
#include "core/list_entry.h"

namespace k470 {

// Memory Data Transmit Delay and Transmit Delay.
inline constexpr std::array<ListEntry, 8> kDelayList = {{{"0", 0},
                                                         {"250ms", 1},
                                                         {"500ms", 2},
                                                         {"1000ms", 3},
                                                         {"2000ms", 4},
                                                         {"3000ms", 5},
                                                         {"5000ms", 6},
                                                         {"8000ms", 7}}};

inline constexpr int kDataFormatPacket = 0;
inline constexpr int kDataFormatHexadecimal = 1;
inline constexpr int kDataFormatRaw = 2;
// Keyboard interfaces cannot send packets; their "Hexadecimal" is code 0.
inline constexpr int kDataFormatKeyboardHexadecimal = 0;

inline constexpr std::array<ListEntry, 3> kSerialDataFormatList = {
    {{"Packet Data", kDataFormatPacket},
     {"Hexadecimal", kDataFormatHexadecimal},
     {"Raw Data", kDataFormatRaw}}};
inline constexpr std::array<ListEntry, 2> kKeyboardDataFormatList = {
    {{"Hexadecimal", kDataFormatKeyboardHexadecimal}, {"Raw Data", kDataFormatRaw}}};

// The Data Format list for an interface; empty for a value that is none of the four.
std::span<const ListEntry> DataFormatList(SelectedInterface selected);

inline constexpr std::array<ListEntry, 4> kOutputSequenceList = {
    {{"Disable", 0}, {"Counter", 1}, {"Timestamp", 2}, {"EPC Tag", 3}}};

// The hidden "Operation Mode :" list.
inline constexpr std::array<ListEntry, 2> kOperationModeList = {
    {{"Stand Alone", 0}, {"On-Line", 1}}};

inline constexpr std::array<ListEntry, 2> kLeftPaddingList = {{{"[space]", 0}, {"0", 1}}};

inline constexpr std::array<ListEntry, 10> kTimestampFormatList = {
    {{"[Date]", 0},
     {"[Date][Time]", 1},
     {"[Date][Time][Day of Week]", 2},
     {"[Date][Day of Week][Time]", 3},
     {"[Time]", 4},
     {"[Time][Date]", 5},
     {"[Time][Date][Day of Week]", 6},
     {"[Time][Day of Week][Date]", 7},
     {"[Day of Week][Date][Time]", 8},
     {"[Day of Week][Time][Date]", 9}}};

inline constexpr std::array<ListEntry, 8> kDateFormatList = {{{"yyyy/MM/dd", 0},
                                                              {"yyyy-MM-dd", 1},
                                                              {"yyyy.MM.dd", 2},
                                                              {"MM/dd/yyyy", 3},
                                                              {"MM-dd-yyyy", 4},
                                                              {"dd/MM/yyyy", 5},
                                                              {"dd-MM-yyyy", 6},
                                                              {"dd.MM.yyyy", 7}}};

inline constexpr std::array<ListEntry, 2> kTimeFormatList = {{{"hh:mm:ss", 0}, {"hh:mm", 1}}};

inline constexpr std::array<ListEntry, 3> kFieldSeparatorList = {
    {{"[Space]", 0}, {"-", 1}, {",", 2}}};

// Position of the entry carrying `code`, or kNoCode when no entry does.
int ListPositionOfCode(std::span<const ListEntry> list, int code);

}  // namespace k470
