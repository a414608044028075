// The include and exclude EPC filter records of the settings image and the
// method byte that says which one the reader uses. Pointer and length are the
// only big-endian numbers of the image, as the reader's firmware reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/settings_image.h"
#include "settings/tagfilter/text_encodings.h"

namespace k470 {

enum class FilterDirection { kInclude, kExclude };

// Method codes (kIncludeMethod, kExcludeMethod): 0 off, 1 first field or
// filter value, 2 second field.
inline constexpr int kMethodOff = 0;
inline constexpr int kMethodFirstField = 1;
inline constexpr int kMethodSecondField = 2;

FilterRecordOffsets OffsetsOf(FilterDirection direction);

struct FilterRecord {
  std::uint16_t pointer = 0;  // bit offset of the compared field; bit 0 starts the header
  std::uint16_t length = 0;   // number of compared bits
  FilterMask pattern1{};
  // A second value for the same bits. Written only when present: method code 1
  // leaves the stored one as it was.
  std::optional<FilterMask> pattern2;

  friend bool operator==(const FilterRecord&, const FilterRecord&) = default;
};

int MethodCode(const SettingsImage& image, FilterDirection direction);
void SetMethodCode(SettingsImage& image, FilterDirection direction, int code);

// Always reads Pattern2 as well.
FilterRecord ReadFilterRecord(const SettingsImage& image, FilterDirection direction);
// Touches the bytes of this direction's record only.
void WriteFilterRecord(SettingsImage& image, FilterDirection direction, const FilterRecord& record);

}  // namespace k470
