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
  im.SetField(kPendingScanMode, scan_modes[pick(3)]);
  im.SetField(kDataFormat, pick(3));
  for (int i = 0; i < kOutputSequenceCount; ++i) im.SetField(OutputSequenceField(i), pick(4));
  im.SetField(kLeftPadding, pick(2) ? kZeroPadding : kBlankPadding);
  const TimestampLists lists{static_cast<int>(pick(10)), static_cast<int>(pick(8)),
                             static_cast<int>(pick(2)), static_cast<int>(pick(3))};
  const std::uint32_t kept_marker = im.Field(kTimestampMarker);
  WriteTimestamp(ComposeTimestamp(lists), im);
  im.SetField(kTimestampMarker, kept_marker);
  for (int j = 0; j < kUhfFieldCount; ++j) im.SetField(UhfFieldCode(j), pick(6));
  im.Fill(kDelimiter, kDelimiterCharacters[pick(4)]);
}

// What the Operation page writes, however little the user does: "Data"
// codes cleared at load, timestamp bits 21-22 set to 2 at OK, and under a
// keyboard interface a stored "Hexadecimal" 1 stored again as its code 0.
inline SettingsImage WithOperationAlwaysWrites(SettingsImage im, SelectedInterface selected) {
  im.SetField(kTimestampMarker, 2);
  for (int j = 0; j < kUhfFieldCount; ++j) {
    if (im.Field(UhfFieldCode(j)) == kUhfData) im.SetField(UhfFieldCode(j), 0);
  }
  if (IsKeyboardInterface(selected) &&
      im.Field(kDataFormat) == static_cast<unsigned>(kDataFormatHexadecimal)) {
    im.SetField(kDataFormat, kDataFormatKeyboardHexadecimal);
  }
  return im;
}

}  // namespace k470::testing
