// The UHF data fields of the EPC Tag output (which of CRC, PC, EPC, Length, in
// what order): the page's two list boxes and display row, and the word at 367.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/settings_image.h"
#include "core/translatable.h"

namespace k470 {

inline constexpr std::size_t kUhfFieldPositions = 4;  // the page shows and stores four

// UHF data field codes.
inline constexpr int kUhfNone = 0;
inline constexpr int kUhfCrc = 1;
inline constexpr int kUhfPc = 2;
inline constexpr int kUhfEpc = 3;
inline constexpr int kUhfData = 4;  // never offered; cleared from the image at every load
inline constexpr int kUhfLength = 5;

inline constexpr std::array<std::string_view, 6> kUhfFieldNames = {
    K470_TR_NOOP("k470", "Disable"), K470_TR_NOOP("k470", "CRC"),  K470_TR_NOOP("k470", "PC"),
    K470_TR_NOOP("k470", "EPC"),     K470_TR_NOOP("k470", "Data"), K470_TR_NOOP("k470", "Length")};
// The available list as the page fills it.
inline constexpr std::array<int, 4> kOfferedUhfFields = {kUhfCrc, kUhfPc, kUhfEpc, kUhfLength};

// The name of a code; empty for a code that has none.
std::string_view UhfFieldName(int code);
// The code of a display-row text: one of "Disable", "CRC", "PC", "EPC",
// "Length"; any other text, the empty one included, gives kUhfNone.
int UhfFieldCodeOf(std::string_view name);

// The two list boxes and the display row, by code. A display position
// without a field holds kUhfNone.
struct UhfFieldLists {
  std::vector<int> available;
  std::vector<int> selected;
  std::array<int, kUhfFieldPositions> display_row{};

  friend bool operator==(const UhfFieldLists&, const UhfFieldLists&) = default;
};

// Clears every "Data" code of the word at 367, field 5 included: the page
// never offers it, and opening the page drops it from the image at once.
void ClearUhfDataCodes(SettingsImage& image);

// The lists from positions 1-4. A code that names no offered field ("Data",
// 6 or 7) leaves its position empty.
UhfFieldLists LoadUhfFields(const SettingsImage& image);

// Positions 1-4 from the display row; field 5 and bit 15 keep their bits.
// A code that is not one of the offered fields is stored as kUhfNone.
void StoreUhfFields(const std::array<int, kUhfFieldPositions>& display_row, SettingsImage& image);

// The move buttons. Each takes the selected row of its list (a row outside
// the list moves nothing) and refreshes the display row from the first four
// selected fields. ">" and "<" return whether something moved; "^" and "V"
// return the row the moved entry is now on, which stays selected.
bool MoveToSelected(UhfFieldLists& lists, int available_row);
bool MoveToAvailable(UhfFieldLists& lists, int selected_row);
int MoveUp(UhfFieldLists& lists, int selected_row);
int MoveDown(UhfFieldLists& lists, int selected_row);

}  // namespace k470
