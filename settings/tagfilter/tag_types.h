// The fifteen EPC schemes the reader can be told to accept, in the fixed order
// of the TAG Type page's check boxes and the Single TAG Mode dialog's list.
// A scheme's position is its enable bit in the tag-type mask and selects its
// rows in the filter tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/settings_image.h"
#include "core/translatable.h"

namespace k470 {

enum class Scheme : std::uint8_t {
  kGdti96,
  kGsrn96,
  kDod96,
  kSgtin96,
  kSscc96,
  kSgln96,
  kGrai96,
  kGiai96,
  kGid96,
  kSgtin198,
  kGrai170,
  kGiai202,
  kSgln195,
  kGdti113,
  kAdiVar,
};

struct TagType {
  Scheme scheme;
  std::string_view name;  // the list and check box text
  std::uint8_t header;    // the EPC header, stored in byte 211
};

inline constexpr std::size_t kTagTypeCount = 15;

inline constexpr std::array<TagType, kTagTypeCount> kTagTypes = {{
    {Scheme::kGdti96, K470_TR_NOOP("k470", "GDTI-96"), 0x2C},
    {Scheme::kGsrn96, K470_TR_NOOP("k470", "GSRN-96"), 0x2D},
    {Scheme::kDod96, K470_TR_NOOP("k470", "DoD-96"), 0x2F},
    {Scheme::kSgtin96, K470_TR_NOOP("k470", "SGTIN-96"), 0x30},
    {Scheme::kSscc96, K470_TR_NOOP("k470", "SSCC-96"), 0x31},
    {Scheme::kSgln96, K470_TR_NOOP("k470", "SGLN-96"), 0x32},
    {Scheme::kGrai96, K470_TR_NOOP("k470", "GRAI-96"), 0x33},
    {Scheme::kGiai96, K470_TR_NOOP("k470", "GIAI-96"), 0x34},
    {Scheme::kGid96, K470_TR_NOOP("k470", "GID-96"), 0x35},
    {Scheme::kSgtin198, K470_TR_NOOP("k470", "SGTIN-198"), 0x36},
    {Scheme::kGrai170, K470_TR_NOOP("k470", "GRAI-170"), 0x37},
    {Scheme::kGiai202, K470_TR_NOOP("k470", "GIAI-202"), 0x38},
    {Scheme::kSgln195, K470_TR_NOOP("k470", "SGLN-195"), 0x39},
    {Scheme::kGdti113, K470_TR_NOOP("k470", "GDTI-113"), 0x3A},
    {Scheme::kAdiVar, K470_TR_NOOP("k470", "ADI-var"), 0x3B},
}};

// Headers the dialog treats specially.
inline constexpr std::uint8_t kHeaderSgtin96 = 0x30;
inline constexpr std::uint8_t kHeaderGid96 = 0x35;
inline constexpr std::uint8_t kHeaderAdiVar = 0x3B;

// Tag-type mask (kTagTypeMask): one bit per scheme. Bit 15 of its word
// belongs to no page and is carried as it is.
inline constexpr std::uint16_t kAllTagTypes = 0x7FFF;
static_assert(kTagTypeMask.bits == kTagTypeCount);

constexpr int SchemeIndex(Scheme scheme) { return static_cast<int>(scheme); }
constexpr const TagType& TagTypeOf(Scheme scheme) {
  return kTagTypes[static_cast<std::size_t>(scheme)];
}

// None for a header that names none of the fifteen schemes (0x2E among them,
// which the header arithmetic would otherwise fold onto GSRN-96).
std::optional<Scheme> SchemeOfHeader(std::uint8_t header);

std::uint16_t TagTypeMask(const SettingsImage& image);
// Writes bits 0-14 only.
void SetTagTypeMask(SettingsImage& image, std::uint16_t mask);
bool IsTagTypeEnabled(std::uint16_t mask, Scheme scheme);

// The enabled types in table order: what the dialog's TAG Type list offers.
std::vector<TagType> EnabledTagTypes(std::uint16_t mask);

}  // namespace k470
