// The settings images the tests generate: random bytes, images whose System
// and Operation fields are all in range (so a load followed by a store may
// change only what a store always writes), the mix the named-settings tests
// sweep, and File › New's defaults.
#pragma once

#include <array>
#include <random>
#include <string>

#include "core/app_state.h"
#include "core/defaults.h"
#include "core/image_layout.h"
#include "core/settings_image.h"
#include "settings/operation/epc_data_fields.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/operation_settings.h"
#include "settings/operation/output_format.h"
#include "settings/operation/timestamp_format.h"
#include "settings/system/interface_selection.h"
#include "settings/tagfilter/epc_filter.h"
#include "tests/support/filter_choices.h"

namespace k470::testing {

inline SettingsImage RandomImage(std::mt19937& rng) {
  SettingsImage image;
  for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
  return image;
}

// Random bytes, with every field of the System page and the interface dialogs
// inside its valid range.
inline SettingsImage SystemImageInRange(std::mt19937& random) {
  SettingsImage image = RandomImage(random);
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  const auto in = [&](unsigned low, unsigned high) { return low + pick(high - low + 1); };
  image.SetField(kShutdownTimeout, in(0, 254));
  image.SetField(kPowerSavingTimeout, in(0, 254));
  image.SetField(kLedDuration, in(1, 254));
  image.SetField(kVibratorDuration, in(1, 254));
  image.SetField(kLowBatteryAlert, pick(2));  // the alert is 0 or 1
  // Interface code 0, 5 or 6; the M912 byte the VCOM marker or an M912 keyboard type.
  image.SetField(kInterfaceCode, std::array{0u, 5u, 6u}[pick(3)]);
  image.SetField(kHidKeyboardType, in(0x40, 0x4D));
  image.SetField(kM912KeyboardType, pick(2) ? 0x60 : in(0x61, 0x6E));
  image.SetField(kInterCharacterDelay, in(0, 254));
  for (const ImageField list : {kCapsLockType, kDigitsPosition, kCapsLockState}) {
    image.SetField(list, pick(3));
  }
  image.SetField(kKeyboardLayout, pick(3));
  for (int i = 0; i < kEventStringCount; ++i) {
    std::string text(pick(11), '\0');
    for (char& c : text) c = static_cast<char>(0x20 + pick(95));
    if (!text.empty() && pick(3) == 0) text.back() = '\r';
    image.Fill(EventStringArea(i), 0);
    image.SetText(EventStringArea(i), text);
    image.SetField(EventActionField(i), pick(9));
  }
  image.SetField(kRfidPower, pick(4));
  return image;
}

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

// What File › New gives.
inline SettingsImage DefaultImage() {
  AppState state;
  New(state);
  return state.image;
}

// Round `round` of a sweep: random bytes every third round, else every System
// and Operation field in range (the images a sheet writes); the interface
// codes in turn, the VCOM marker among them; every fourth round an Include
// EPC filter of a random TAG type.
inline SettingsImage GeneratedImage(std::mt19937& rng, int round) {
  SettingsImage image = round % 3 ? SystemImageInRange(rng) : RandomImage(rng);
  if (round % 3) PutOperationFieldsInRange(image, rng);
  image.SetField(kInterfaceCode, std::array{0u, 5u, 6u, 6u, 2u}[round % 5]);
  if (round % 5 == 2) image.SetField(kM912KeyboardType, kVcomMarker);
  if (round % 4 == 0) {
    StoreFilter(GenerateChoice(rng, kTagTypes[rng() % kTagTypes.size()], FilterType::kIncludeEpc,
                               FilterMethod::kSecondField),
                image);
  }
  return image;
}

}  // namespace k470::testing
