// The reader's EPC filter in the settings image: the Single TAG Mode dialog's
// filter choices encoded into the include or exclude record, and a stored
// filter decoded back into those choices. Decoding an image the dialog wrote and
// storing the result unchanged gives the same bytes, so a dialog opened and
// confirmed without edits leaves the image as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/settings_image.h"
#include "settings/tagfilter/filter_choice.h"
#include "settings/tagfilter/filter_record.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {

// The dialog hands over at most this many characters of each pattern.
inline constexpr std::size_t kMaxPatternCharacters = 63;

// The record for `choice`'s method, filter value, patterns and digit count.
// Texts too long for a mask are cut at their end to what fits.
FilterRecord EncodeFilterRecord(Scheme scheme, const FilterChoice& choice);

struct DecodedFilter {
  FilterMethod method = FilterMethod::kFirstField;
  std::optional<int> filter_value;  // as stored, whether the scheme's list has it or not
  std::string pattern1;
  std::string pattern2;  // empty when both masks are equal
  std::optional<unsigned> digit_count;
  // The partition found for a second field; none leaves the dialog's as it is.
  std::optional<int> partition_offset;
};

// Nothing for method codes other than 1 and 2.
std::optional<DecodedFilter> DecodeFilterRecord(Scheme scheme, int method_code,
                                                const FilterRecord& record);

struct LoadedFilter {
  FilterChoice choice;
  std::optional<int> partition_offset;
};

// The dialog's filter controls for the image: Filter Type from byte 89 (no
// selection when both directions are set), the method radio, and the active
// record decoded with the scheme of `header`, the selected TAG type entry.
LoadedFilter LoadFilter(const SettingsImage& image, std::optional<std::uint8_t> header);

// What OK writes: byte 89's method codes by Filter Type (kept as they are
// without a selection), then, when a TAG type is selected, byte 211 and the
// record of the chosen direction. The other direction's record is never
// touched, nor is any record without a TAG type.
void StoreFilter(const FilterChoice& choice, SettingsImage& image);

// The dialog's OK: StoreFilter, unless the controls still show what they
// showed when the dialog opened, for the stored TAG type. A filter the dialog would write
// differently (another tool's record, a method code it has no radio for) is then kept byte for byte
// instead of being rewritten by an OK without edits.
void ConfirmFilter(const FilterChoice& opened, const FilterChoice& chosen, SettingsImage& image);

}  // namespace k470
