#include "settings/tagfilter/filter_record.h"

namespace k470 {
namespace {

ImageField MethodOf(FilterDirection direction) {
  return direction == FilterDirection::kInclude ? kIncludeMethod : kExcludeMethod;
}

std::uint16_t ReadBigEndian16(const SettingsImage& image, std::size_t offset) {
  return static_cast<std::uint16_t>(image.Byte(offset) << 8 | image.Byte(offset + 1));
}

void WriteBigEndian16(SettingsImage& image, std::size_t offset, std::uint16_t value) {
  image.SetByte(offset, static_cast<std::uint8_t>(value >> 8));
  image.SetByte(offset + 1, static_cast<std::uint8_t>(value));
}

FilterMask ReadMask(const SettingsImage& image, std::size_t offset) {
  FilterMask mask{};
  for (std::size_t i = 0; i < kFilterMaskSize; ++i) mask[i] = image.Byte(offset + i);
  return mask;
}

void WriteMask(SettingsImage& image, std::size_t offset, const FilterMask& mask) {
  for (std::size_t i = 0; i < kFilterMaskSize; ++i) image.SetByte(offset + i, mask[i]);
}

}  // namespace

FilterRecordOffsets OffsetsOf(FilterDirection direction) {
  return direction == FilterDirection::kInclude ? kIncludeRecord : kExcludeRecord;
}

int MethodCode(const SettingsImage& image, FilterDirection direction) {
  return static_cast<int>(image.Field(MethodOf(direction)));
}

void SetMethodCode(SettingsImage& image, FilterDirection direction, int code) {
  image.SetField(MethodOf(direction), static_cast<std::uint32_t>(code));
}

FilterRecord ReadFilterRecord(const SettingsImage& image, FilterDirection direction) {
  const FilterRecordOffsets at = OffsetsOf(direction);
  return {ReadBigEndian16(image, at.pointer), ReadBigEndian16(image, at.length),
          ReadMask(image, at.pattern1), ReadMask(image, at.pattern2)};
}

void WriteFilterRecord(SettingsImage& image, FilterDirection direction,
                       const FilterRecord& record) {
  const FilterRecordOffsets at = OffsetsOf(direction);
  WriteBigEndian16(image, at.pointer, record.pointer);
  WriteBigEndian16(image, at.length, record.length);
  WriteMask(image, at.pattern1, record.pattern1);
  if (record.pattern2) WriteMask(image, at.pattern2, *record.pattern2);
}

}  // namespace k470
