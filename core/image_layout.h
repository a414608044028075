// Where every setting lives in the 640-byte settings image. Each setting is
// one named field, its first byte, first bit and bit count; texts, key
// sequences and masks are named areas. Every load and store, the defaults and
// the tests address the image through these names, so a position is written
// down here and nowhere else.
//
// Bits of a field count from bit 0 of the little-endian number that starts at
// `byte`, so a field may run over a byte border. Bits and bytes that no page
// shows are named as well where File/New or a store writes them.
#pragma once

#include <array>
#include <cstddef>

namespace k470 {

inline constexpr std::size_t kImageSize = 640;

// `bits` bits from bit `first_bit` of the little-endian number at `byte`.
struct ImageField {
  std::size_t byte;
  unsigned first_bit;
  unsigned bits;
};

// `length` bytes from `offset`: a text, a key sequence, a mask.
struct ImageArea {
  std::size_t offset;
  std::size_t length;
};

// --- System page: indicators and time-outs (bytes 0-5) ---------------------
inline constexpr ImageField kShutdownTimeout{0, 0, 8};     // minutes
inline constexpr ImageField kPowerSavingTimeout{1, 0, 8};  // minutes
inline constexpr ImageField kGoodReadVibrator{2, 0, 1};
inline constexpr ImageField kGoodReadLed{2, 1, 1};
inline constexpr ImageField kGoodReadBeep{2, 2, 1};
inline constexpr ImageField kCommandBeep{2, 3, 1};       // never shown
inline constexpr ImageField kLedDuration{3, 0, 8};       // 10 ms units
inline constexpr ImageField kVibratorDuration{4, 0, 8};  // 100 ms units
inline constexpr ImageField kLowBatteryAlert{5, 0, 2};   // 0 off, anything else on
inline constexpr ImageField kBeepFrequency{5, 2, 2};
inline constexpr ImageField kBeepDuration{5, 4, 2};
inline constexpr ImageField kVolume{5, 6, 2};  // 0: the system beeper is off

// Reader options no page shows (bits 0-8 of the word at 8).
inline constexpr ImageField kHiddenWord8{8, 0, 9};

// --- System page: interface and its "Advanced" dialogs (bytes 16-55) -------
inline constexpr ImageField kBtPowerSaving{16, 0, 1};
inline constexpr ImageField kAuthentication{16, 1, 1};
inline constexpr ImageField kDiscoverable{16, 2, 1};
inline constexpr ImageField kInterfaceCode{16, 3, 3};  // 0 Bluetooth SPP, 5 HID, 6 M912
inline constexpr ImageField kSspMode{16, 6, 1};
inline constexpr ImageField kHidKeyboardType{17, 0, 8};
// The M912 HID keyboard type, or the VCOM marker for M912 VCOM.
inline constexpr ImageField kM912KeyboardType{18, 0, 8};
inline constexpr ImageField kInterCharacterDelay{19, 0, 8};  // ms
inline constexpr ImageArea kHiddenBytes20{20, 2};
inline constexpr ImageField kHiddenBit22{22, 0, 1};
inline constexpr ImageField kDigitsTransmission{23, 0, 1};
inline constexpr ImageField kCapsLockType{23, 1, 2};
inline constexpr ImageField kDigitsPosition{23, 3, 2};
inline constexpr ImageField kAlphabets{23, 5, 1};
inline constexpr ImageField kCapsLockState{23, 6, 2};
inline constexpr ImageField kHiddenBits24{24, 0, 2};
inline constexpr ImageField kKeyboardLayout{24, 2, 2};
inline constexpr ImageField kTransmitMode{24, 4, 1};
inline constexpr ImageField kKanji{24, 5, 1};  // never shown
inline constexpr ImageArea kPinCode{28, 16};
inline constexpr ImageField kHiddenByte44{44, 0, 8};
inline constexpr ImageField kHiddenBits45{45, 0, 3};
inline constexpr ImageField kHiddenByte46{46, 0, 8};
inline constexpr ImageArea kM912SerialNumber{47, 9};

// --- System page: RFID power and event output strings ----------------------
inline constexpr ImageField kHiddenBits205{205, 0, 5};
inline constexpr ImageField kRfidPower{206, 0, 8};
// Six 10-byte strings from 390 on, then their six 4-bit action codes in the
// low 24 bits of the word at 450. Byte 453 is no page's.
inline constexpr int kEventStringCount = 6;
inline constexpr std::size_t kEventStringSize = 10;
constexpr ImageArea EventStringArea(std::size_t index) {
  return {390 + index * kEventStringSize, kEventStringSize};
}
constexpr ImageField EventActionField(std::size_t index) {
  return {450, static_cast<unsigned>(4 * index), 4};
}

// --- Operation page (bytes 6-7, 80, 88, 320-389) ----------------------------
inline constexpr ImageField kMemoryMode{6, 0, 1};
inline constexpr ImageField kMemoryDelay{6, 1, 3};
inline constexpr ImageField kTransmissionBuffer{7, 0, 1};
inline constexpr ImageField kTransmitDelay{7, 1, 3};
inline constexpr ImageField kPendingScanMode{80, 0, 4};
// What choosing Single TAG Mode resets at once.
inline constexpr ImageField kSingleTagModeBits{88, 0, 5};
inline constexpr ImageField kHiddenBits320{320, 0, 2};
inline constexpr ImageField kDataFormat{320, 2, 2};
// Three 3-bit section codes, first to third, in the word at 321.
inline constexpr int kOutputSequenceCount = 3;
constexpr ImageField OutputSequenceField(std::size_t section) {
  return {321, static_cast<unsigned>(3 * section), 3};
}
inline constexpr ImageField kHiddenBit323{323, 0, 1};
inline constexpr ImageField kResetOnUhfPowerOn{323, 1, 1};
inline constexpr ImageField kResetOnNewConnection{323, 2, 1};
inline constexpr ImageField kLeftPadding{324, 0, 8};  // also a one-byte key sequence
inline constexpr ImageArea kCounterPrefix{325, 8};
inline constexpr ImageArea kCounterSuffix{333, 8};
// Seven 3-bit field codes in bits 0-20 of the word at 341, then the constant
// 2 in bits 21-22; the separator after each field in the six bytes at 345.
inline constexpr int kTimestampFieldCount = 7;
constexpr ImageField TimestampCodeField(std::size_t position) {
  return {341, static_cast<unsigned>(3 * position), 3};
}
inline constexpr ImageField kTimestampMarker{341, 21, 2};
inline constexpr ImageArea kTimestampSeparators{345, 6};
inline constexpr ImageArea kTimestampPrefix{351, 8};
inline constexpr ImageArea kTimestampSuffix{359, 8};
// Five 3-bit UHF data field codes in bits 0-14 of the word at 367; bit 15 is
// no page's.
inline constexpr int kUhfFieldCount = 5;
constexpr ImageField UhfFieldCode(std::size_t position) {
  return {367, static_cast<unsigned>(3 * position), 3};
}
inline constexpr ImageArea kDelimiter{369, 3};  // three copies of one character
inline constexpr ImageField kHiddenByte372{372, 0, 8};
inline constexpr ImageField kHiddenBits373{373, 0, 2};
inline constexpr ImageArea kEpcPrefix{374, 8};
inline constexpr ImageArea kEpcSuffix{382, 8};

// --- Single TAG Mode dialog: scan timing and the EPC filter ----------------
inline constexpr ImageField kScanDelay{80, 4, 4};    // bits 0-3 are the pending scan mode
inline constexpr ImageField kScanTimeout{81, 0, 8};  // seconds
inline constexpr ImageField kCounterLimit{82, 0, 8};
inline constexpr ImageField kWarnAtLimit{83, 0, 1};
inline constexpr ImageField kHiddenBit83{83, 1, 1};  // cleared by the dialog's OK
inline constexpr ImageField kHiddenBits83{83, 2, 2};
// Method codes of the two filter records: 0 off, 1 first field or filter
// value, 2 second field. Bits 4-7 of byte 89 carry no setting.
inline constexpr ImageField kIncludeMethod{89, 0, 2};
inline constexpr ImageField kExcludeMethod{89, 2, 2};
inline constexpr ImageField kFilterMethods{89, 0, 4};  // both codes at once
// A filter record: big-endian pointer and length, then two 32-byte masks;
// Pattern2 lies apart from the rest of its record.
struct FilterRecordOffsets {
  std::size_t pointer;
  std::size_t length;
  std::size_t pattern1;
  std::size_t pattern2;
};
inline constexpr std::size_t kFilterPatternSize = 32;
inline constexpr FilterRecordOffsets kIncludeRecord{90, 92, 94, 212};
inline constexpr FilterRecordOffsets kExcludeRecord{126, 128, 130, 244};
// Pointer, length and Pattern1: the part of a record in front of Pattern2.
inline constexpr std::size_t kFilterRecordHeadSize = 4 + kFilterPatternSize;
inline constexpr ImageArea kHiddenBytes162{162, 8};
inline constexpr ImageField kHiddenByte170{170, 0, 8};
inline constexpr ImageArea kHiddenBytes171{171, 34};

// --- TAG Type page -----------------------------------------------------------
inline constexpr ImageField kTagTypeMask{207, 0, 15};  // bit n enables scheme n
inline constexpr ImageField kHiddenBit207{207, 15, 1};
// The EPC header of the TAG type the filter is for.
inline constexpr ImageField kFilteredTagType{211, 0, 8};

// --- The whole image -----------------------------------------------------------
// Bytes the pages and their dialogs load or store; every other byte is one
// that k470ctl lists as unedited.
inline constexpr std::array<ImageArea, 12> kPageAreas = {{{0, 8},
                                                          {16, 4},
                                                          {23, 2},
                                                          {28, 16},
                                                          {47, 9},
                                                          {80, 4},
                                                          {88, 74},
                                                          {206, 3},
                                                          {211, 65},
                                                          {320, 52},
                                                          {374, 16},
                                                          {390, 63}}};
// 638 holds the sum of bytes 0-637, 639 its complement.
inline constexpr std::size_t kChecksumOffset = 638;
inline constexpr std::size_t kChecksumComplementOffset = 639;

// Whole bytes and words of the Operation page, for the tests that check
// them byte by byte (bits no field names included).
inline constexpr std::size_t kMemoryDataByte = kMemoryMode.byte;
inline constexpr std::size_t kTransmissionBufferByte = kTransmissionBuffer.byte;
inline constexpr std::size_t kScanModeByte = kPendingScanMode.byte;
inline constexpr std::size_t kSingleTagModeByte = kSingleTagModeBits.byte;
inline constexpr std::size_t kDataFormatByte = kDataFormat.byte;
inline constexpr std::size_t kOutputSequenceWord = OutputSequenceField(0).byte;
inline constexpr std::size_t kTimestampWord = kTimestampMarker.byte;
inline constexpr std::size_t kUhfFieldWord = UhfFieldCode(0).byte;
inline constexpr std::size_t kDelimiterByte = kDelimiter.offset;
inline constexpr std::size_t kDelimiterCopies = kDelimiter.length;

}  // namespace k470
