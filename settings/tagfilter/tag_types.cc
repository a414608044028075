#include "settings/tagfilter/tag_types.h"

namespace k470 {

std::optional<Scheme> SchemeOfHeader(std::uint8_t header) {
  for (const TagType& type : kTagTypes) {
    if (type.header == header) return type.scheme;
  }
  return std::nullopt;
}

std::uint16_t TagTypeMask(const SettingsImage& image) {
  return static_cast<std::uint16_t>(image.Field(kTagTypeMask));
}

void SetTagTypeMask(SettingsImage& image, std::uint16_t mask) {
  image.SetField(kTagTypeMask, mask);
}

bool IsTagTypeEnabled(std::uint16_t mask, Scheme scheme) {
  return (mask >> SchemeIndex(scheme)) & 1u;
}

std::vector<TagType> EnabledTagTypes(std::uint16_t mask) {
  std::vector<TagType> enabled;
  for (const TagType& type : kTagTypes) {
    if (IsTagTypeEnabled(mask, type.scheme)) enabled.push_back(type);
  }
  return enabled;
}

}  // namespace k470
