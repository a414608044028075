#include "settings/tagfilter/filter_values.h"

#include <array>
#include <string_view>

#include "settings/tagfilter/tag_types.h"

namespace k470 {
namespace {

constexpr std::array<std::string_view, 8> kGs1Values = {
    "[0] All Others", "[1] Reserved", "[2] Reserved", "[3] Reserved",
    "[4] Reserved",   "[5] Reserved", "[6] Reserved", "[7] Reserved",
};

constexpr std::array<std::string_view, 8> kSgtinValues = {
    "[0] All Others",
    "[1] Point of Sale (POS) Trade Item",
    "[2] Full Case for Transport",
    "[3] Reserved",
    "[4] Inner Pack Trade Item Grouping for Handling",
    "[5] Reserved",
    "[6] Unit Load",
    "[7] Unit insied Trade Item or component inside a product not intended for individual sale",
};

constexpr std::array<std::string_view, 8> kSsccValues = {
    "[0] All Others", "[1] Reserved", "[2] Full Case for Transport",
    "[3] Reserved",   "[4] Reserved", "[5] Reserved",
    "[6] Unit Load",  "[7] Reserved",
};

constexpr std::array<std::string_view, 3> kDodNamedValues = {
    "[0] Pallet (palletized unit load)",
    "[1] Case (shipping and exterior container)",
    "[2] Unit pack",
};

constexpr std::array<std::string_view, 24> kAdiNamedValues = {
    "[0] All Others",
    "[1] Item, other than an item to whick filter value 8 through 63 apply",
    "[2] Carton",
    "[3] Reserved",
    "[4] Reserved",
    "[5] Reserved",
    "[6] Pallet",
    "[7] Reserved",
    "[8] Seat cushions",
    "[9] Seat covers",
    "[10] Seat belts",
    "[11] Galley cars",
    "[12] Unit Load Devices, cargo containers",
    "[13] Security items (life vest boxes, rear lav walls, lav ceiling access hatches)",
    "[14] Life vests",
    "[15] Oxygen generators",
    "[16] Engine components",
    "[17] Avionics",
    "[18] Experimental (flight test) equipment",
    "[19] Other emergency equipment (smoke masks, PBE, crash axes, medical kits, smoke "
    "detectors, flashlights, etc.)",
    "[20] Other rotables; e.g., line or base replaceable",
    "[21] Other repariable",
    "[22] Other cabin interior",
    "[23] Other repair (exclude component); e.g., structure item repair",
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
