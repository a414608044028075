#include "settings/tagfilter/filter_values.h"

#include <array>
#include <string_view>

#include "core/translatable.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {
namespace {

constexpr std::array<std::string_view, 8> kGs1Values = {
    K470_TR_NOOP("k470", "[0] All Others"), K470_TR_NOOP("k470", "[1] Reserved"),
    K470_TR_NOOP("k470", "[2] Reserved"),   K470_TR_NOOP("k470", "[3] Reserved"),
    K470_TR_NOOP("k470", "[4] Reserved"),   K470_TR_NOOP("k470", "[5] Reserved"),
    K470_TR_NOOP("k470", "[6] Reserved"),   K470_TR_NOOP("k470", "[7] Reserved"),
};

constexpr std::array<std::string_view, 8> kSgtinValues = {
    K470_TR_NOOP("k470", "[0] All Others"),
    K470_TR_NOOP("k470", "[1] Point of Sale (POS) Trade Item"),
    K470_TR_NOOP("k470", "[2] Full Case for Transport"),
    K470_TR_NOOP("k470", "[3] Reserved"),
    K470_TR_NOOP("k470", "[4] Inner Pack Trade Item Grouping for Handling"),
    K470_TR_NOOP("k470", "[5] Reserved"),
    K470_TR_NOOP("k470", "[6] Unit Load"),
    K470_TR_NOOP("k470",
                 "[7] Unit insied Trade Item or component inside a product not intended for "
                 "individual sale"),
};

constexpr std::array<std::string_view, 8> kSsccValues = {
    K470_TR_NOOP("k470", "[0] All Others"),
    K470_TR_NOOP("k470", "[1] Reserved"),
    K470_TR_NOOP("k470", "[2] Full Case for Transport"),
    K470_TR_NOOP("k470", "[3] Reserved"),
    K470_TR_NOOP("k470", "[4] Reserved"),
    K470_TR_NOOP("k470", "[5] Reserved"),
    K470_TR_NOOP("k470", "[6] Unit Load"),
    K470_TR_NOOP("k470", "[7] Reserved"),
};

constexpr std::array<std::string_view, 3> kDodNamedValues = {
    K470_TR_NOOP("k470", "[0] Pallet (palletized unit load)"),
    K470_TR_NOOP("k470", "[1] Case (shipping and exterior container)"),
    K470_TR_NOOP("k470", "[2] Unit pack"),
};

constexpr std::array<std::string_view, 24> kAdiNamedValues = {
    K470_TR_NOOP("k470", "[0] All Others"),
    K470_TR_NOOP("k470", "[1] Item, other than an item to whick filter value 8 through 63 apply"),
    K470_TR_NOOP("k470", "[2] Carton"),
    K470_TR_NOOP("k470", "[3] Reserved"),
    K470_TR_NOOP("k470", "[4] Reserved"),
    K470_TR_NOOP("k470", "[5] Reserved"),
    K470_TR_NOOP("k470", "[6] Pallet"),
    K470_TR_NOOP("k470", "[7] Reserved"),
    K470_TR_NOOP("k470", "[8] Seat cushions"),
    K470_TR_NOOP("k470", "[9] Seat covers"),
    K470_TR_NOOP("k470", "[10] Seat belts"),
    K470_TR_NOOP("k470", "[11] Galley cars"),
    K470_TR_NOOP("k470", "[12] Unit Load Devices, cargo containers"),
    K470_TR_NOOP(
        "k470",
        "[13] Security items (life vest boxes, rear lav walls, lav ceiling access hatches)"),
    K470_TR_NOOP("k470", "[14] Life vests"),
    K470_TR_NOOP("k470", "[15] Oxygen generators"),
    K470_TR_NOOP("k470", "[16] Engine components"),
    K470_TR_NOOP("k470", "[17] Avionics"),
    K470_TR_NOOP("k470", "[18] Experimental (flight test) equipment"),
    K470_TR_NOOP("k470",
                 "[19] Other emergency equipment (smoke masks, PBE, crash axes, medical kits, "
                 "smoke ") "detectors, flashlights, etc.)",
    K470_TR_NOOP("k470", "[20] Other rotables; e.g., line or base replaceable"),
    K470_TR_NOOP("k470", "[21] Other repariable"),
    K470_TR_NOOP("k470", "[22] Other cabin interior"),
    K470_TR_NOOP("k470", "[23] Other repair (exclude component); e.g., structure item repair"),
};

// Named entries first, then "[n] Reserved" up to `count` entries.
template <std::size_t N>
std::vector<FilterValueEntry> ListOf(const std::array<std::string_view, N>& named, int count) {
  std::vector<FilterValueEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int value = 0; value < count; ++value) {
    entries.push_back({static_cast<std::size_t>(value) < N
                           ? std::string(named[static_cast<std::size_t>(value)])
                           : std::string("[").append(std::to_string(value)).append("] Reserved"),
                       value});
  }
  return entries;
}

}  // namespace

std::vector<FilterValueEntry> FilterValueEntries(std::uint8_t header) {
  const std::optional<Scheme> scheme = SchemeOfHeader(header);
  if (!scheme) return {};
  switch (*scheme) {
    case Scheme::kSgtin96:
    case Scheme::kSgtin198:
      return ListOf(kSgtinValues, 8);
    case Scheme::kSscc96:
      return ListOf(kSsccValues, 8);
    case Scheme::kDod96:
      return ListOf(kDodNamedValues, 16);
    case Scheme::kGid96:
      return {{"Not applicable", 0}};
    case Scheme::kAdiVar:
      return ListOf(kAdiNamedValues, 64);
    default:
      return ListOf(kGs1Values, 8);
  }
}

}  // namespace k470
