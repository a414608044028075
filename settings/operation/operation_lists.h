// Texts and stored codes of the Operation page's drop-down lists, in the
// order the page fills them. The code, not the position, goes into the image.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/app_state.h"
#include "core/list_entry.h"
#include "core/translatable.h"

namespace k470 {

// Memory Data Transmit Delay and Transmit Delay.
inline constexpr std::array<ListEntry, 8> kDelayList = {{{"0", 0},
                                                         {K470_TR_NOOP("k470", "250ms"), 1},
                                                         {K470_TR_NOOP("k470", "500ms"), 2},
                                                         {K470_TR_NOOP("k470", "1000ms"), 3},
                                                         {K470_TR_NOOP("k470", "2000ms"), 4},
                                                         {K470_TR_NOOP("k470", "3000ms"), 5},
                                                         {K470_TR_NOOP("k470", "5000ms"), 6},
                                                         {K470_TR_NOOP("k470", "8000ms"), 7}}};

inline constexpr int kDataFormatPacket = 0;
inline constexpr int kDataFormatHexadecimal = 1;
inline constexpr int kDataFormatRaw = 2;
// Keyboard interfaces cannot send packets; their "Hexadecimal" is code 0.
inline constexpr int kDataFormatKeyboardHexadecimal = 0;

inline constexpr std::array<ListEntry, 3> kSerialDataFormatList = {
    {{K470_TR_NOOP("k470", "Packet Data"), kDataFormatPacket},
     {K470_TR_NOOP("k470", "Hexadecimal"), kDataFormatHexadecimal},
     {K470_TR_NOOP("k470", "Raw Data"), kDataFormatRaw}}};
inline constexpr std::array<ListEntry, 2> kKeyboardDataFormatList = {
    {{K470_TR_NOOP("k470", "Hexadecimal"), kDataFormatKeyboardHexadecimal},
     {K470_TR_NOOP("k470", "Raw Data"), kDataFormatRaw}}};

// The Data Format list for an interface; empty for a value that is none of the four.
std::span<const ListEntry> DataFormatList(SelectedInterface selected);

inline constexpr std::array<ListEntry, 4> kOutputSequenceList = {
    {{K470_TR_NOOP("k470", "Disable"), 0},
     {K470_TR_NOOP("k470", "Counter"), 1},
     {K470_TR_NOOP("k470", "Timestamp"), 2},
     {K470_TR_NOOP("k470", "EPC Tag"), 3}}};

// The hidden "Operation Mode :" list.
inline constexpr std::array<ListEntry, 2> kOperationModeList = {
    {{K470_TR_NOOP("k470", "Stand Alone"), 0}, {K470_TR_NOOP("k470", "On-Line"), 1}}};

inline constexpr std::array<ListEntry, 2> kLeftPaddingList = {
    {{K470_TR_NOOP("k470", "[space]"), 0}, {"0", 1}}};

inline constexpr std::array<ListEntry, 10> kTimestampFormatList = {
    {{K470_TR_NOOP("k470", "[Date]"), 0},
     {K470_TR_NOOP("k470", "[Date][Time]"), 1},
     {K470_TR_NOOP("k470", "[Date][Time][Day of Week]"), 2},
     {K470_TR_NOOP("k470", "[Date][Day of Week][Time]"), 3},
     {K470_TR_NOOP("k470", "[Time]"), 4},
     {K470_TR_NOOP("k470", "[Time][Date]"), 5},
     {K470_TR_NOOP("k470", "[Time][Date][Day of Week]"), 6},
     {K470_TR_NOOP("k470", "[Time][Day of Week][Date]"), 7},
     {K470_TR_NOOP("k470", "[Day of Week][Date][Time]"), 8},
     {K470_TR_NOOP("k470", "[Day of Week][Time][Date]"), 9}}};

inline constexpr std::array<ListEntry, 8> kDateFormatList = {
    {{K470_TR_NOOP("k470", "yyyy/MM/dd"), 0},
     {K470_TR_NOOP("k470", "yyyy-MM-dd"), 1},
     {K470_TR_NOOP("k470", "yyyy.MM.dd"), 2},
     {K470_TR_NOOP("k470", "MM/dd/yyyy"), 3},
     {K470_TR_NOOP("k470", "MM-dd-yyyy"), 4},
     {K470_TR_NOOP("k470", "dd/MM/yyyy"), 5},
     {K470_TR_NOOP("k470", "dd-MM-yyyy"), 6},
     {K470_TR_NOOP("k470", "dd.MM.yyyy"), 7}}};

inline constexpr std::array<ListEntry, 2> kTimeFormatList = {
    {{K470_TR_NOOP("k470", "hh:mm:ss"), 0}, {K470_TR_NOOP("k470", "hh:mm"), 1}}};

inline constexpr std::array<ListEntry, 3> kFieldSeparatorList = {
    {{K470_TR_NOOP("k470", "[Space]"), 0}, {"-", 1}, {",", 2}}};

// Position of the entry carrying `code`, or kNoCode when no entry does.
int ListPositionOfCode(std::span<const ListEntry> list, int code);

}  // namespace k470
