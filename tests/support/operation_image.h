// Settings images for the Operation settings tests: every field of the
// Operation page put inside its valid range, and the writes that a load
// followed by a store always makes on such an image.
#pragma once

#include <random>

#include "core/app_state.h"
#include "settings/operation/epc_data_fields.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/operation_settings.h"
#include "settings/operation/output_format.h"
#include "settings/operation/timestamp_format.h"
#include "settings/system/interface_selection.h"

namespace k470::testing {

// Leaves every other byte as it is; bits 21-22 of the timestamp word and the
// bits no field names keep what they held.
inline void PutOperationFieldsInRange(SettingsImage& im, std::mt19937& random) {
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  const unsigned scan_modes[] = {kScanModeSingleTag, kScanModeTest, kScanModeMultiTag};
  im.SetBits(kScanModeByte, 0, 4, scan_modes[pick(3)]);
  im.SetBits(kDataFormatByte, 2, 2, pick(3));
  for (unsigned i = 0; i < 3; ++i) im.SetBits(kOutputSequenceWord, 3 * i, 3, pick(4));
  im.SetByte(kLeftPaddingByte, pick(2) ? kZeroPadding : kBlankPadding);
  const TimestampLists lists{static_cast<int>(pick(10)), static_cast<int>(pick(8)),
                             static_cast<int>(pick(2)), static_cast<int>(pick(3))};
  const std::uint32_t kept_bits = im.Bits(kTimestampWord, 21, 11);
  WriteTimestamp(ComposeTimestamp(lists), im);
  im.SetBits(kTimestampWord, 21, 11, kept_bits);
  for (unsigned j = 0; j < 5; ++j) im.SetBits(kUhfFieldWord, 3 * j, 3, pick(6));
  im.Fill(kDelimiterByte, kDelimiterCopies, kDelimiterCharacters[pick(4)]);
}

// What the Operation page writes, however little the user does: "Data"
// codes cleared at load, timestamp bits 21-22 set to 2 at OK, and under a
// keyboard interface a stored "Hexadecimal" 1 stored again as its code 0.
inline SettingsImage WithOperationAlwaysWrites(SettingsImage im, SelectedInterface selected) {
  im.SetBits(kTimestampWord, 21, 2, 2);
  for (unsigned j = 0; j < 5; ++j) {
    if (im.Bits(kUhfFieldWord, 3 * j, 3) == kUhfData) im.SetBits(kUhfFieldWord, 3 * j, 3, 0);
  }
  if (IsKeyboardInterface(selected) &&
      im.Bits(kDataFormatByte, 2, 2) == static_cast<unsigned>(kDataFormatHexadecimal)) {
    im.SetBits(kDataFormatByte, 2, 2, kDataFormatKeyboardHexadecimal);
  }
  return im;
}

}  // namespace k470::testing
