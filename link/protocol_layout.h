// Where things stand in the lines the program and the reader exchange: the
// settings blocks in both directions, the identity reply, the clock command
// and the service replies. The reader link and the virtual reader both take
// their positions from here.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/image_layout.h"

namespace k470 {

// --- Settings blocks -----------------------------------------------------------
// The image moves in blocks of 16 bytes. Each block is addressed by its first
// offset as four hex digits and carries the byte count "10" (16 in hex).
inline constexpr int kBlockSize = 16;
inline constexpr int kBlockCount = static_cast<int>(kImageSize) / kBlockSize;
inline constexpr std::size_t kBlockAddressDigits = 4;
inline constexpr std::string_view kBlockByteCount = "10";
// A block's bytes as hex digits, two per byte.
inline constexpr std::size_t kBlockDigits = 2 * kBlockSize;

// A block line, "AAAA10" and the 32 digits, then CR.
inline constexpr std::size_t kLineAddressAt = 0;
inline constexpr std::size_t kLineByteCountAt = kLineAddressAt + kBlockAddressDigits;
inline constexpr std::size_t kLineDigitsAt = kLineByteCountAt + kBlockByteCount.size();
inline constexpr std::size_t kBlockLineLength = kLineDigitsAt + kBlockDigits;  // without the CR

// A block request, "RAAAA10", then CR; the reply is the 32 digits and CR.
inline constexpr char kBlockRequestMark = 'R';
inline constexpr std::size_t kRequestAddressAt = 1;
inline constexpr std::size_t kRequestByteCountAt = kRequestAddressAt + kBlockAddressDigits;
inline constexpr std::size_t kBlockRequestLength =
    kRequestByteCountAt + kBlockByteCount.size();  // without the CR
inline constexpr std::size_t kBlockReplySize = kBlockDigits + 1;

// Where block `k`'s reply lands in the reply buffer while the blocks are read.
constexpr std::size_t BlockReplyOffset(int k) { return static_cast<std::size_t>(k) * kBlockDigits; }

// --- Identity reply ------------------------------------------------------------
// Six lines: the first carries nothing, then the device type, the serial
// number, the kernel and user versions and the Bluetooth MAC id. Characters
// 8-11 of the device type are the model code.
inline constexpr std::size_t kIdentityLineCount = 6;
inline constexpr std::size_t kModelCodeAt = 7;
inline constexpr std::size_t kModelCodeLength = 4;

// --- Clock command -------------------------------------------------------------
// "#@SYS_TIME=yy,MM,dd,hh,mm,ss" and CR: six two-digit fields, each but the
// first after a comma.
inline constexpr std::string_view kClockPrefix = "#@SYS_TIME=";
inline constexpr std::size_t kClockFieldCount = 6;
inline constexpr std::size_t kClockFieldStride = 3;  // two digits and the comma after them
inline constexpr std::size_t kClockFieldsAt = kClockPrefix.size();
inline constexpr std::size_t kClockFieldsLength = kClockFieldCount * kClockFieldStride - 1;

// --- Service replies -----------------------------------------------------------
// "OK", one separator character, then the result text.
inline constexpr std::string_view kServiceOk = "OK";
inline constexpr std::size_t kServiceResultAt = kServiceOk.size() + 1;

}  // namespace k470
