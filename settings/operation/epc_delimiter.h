// The delimiter between the EPC Tag's UHF data fields: its four characters,
// the names the page shows for it, and its three copies at bytes 369-371.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/settings_image.h"

namespace k470 {

// By delimiter position: "No Delimiter", Tab, ",", ".".
inline constexpr std::array<std::uint8_t, 4> kDelimiterCharacters = {0x00, 0x09, 0x2C, 0x2E};
inline constexpr int kNoDelimiter = 0;

// The position of a stored byte. A byte that is none of the four characters
// counts as "No Delimiter", so the dialog opens with that choice and closing
// it without one writes a delimiter character.
int DelimiterPositionOf(std::uint8_t byte);

// The name the button and labels show after a load, by the stored byte.
std::string_view LoadedDelimiterName(std::uint8_t byte);
// The name they show after a choice in the Delimiter dialog, by position.
std::string_view ChosenDelimiterName(int position);

// Writes the character of `position` into all three copies; a position
// outside the table writes "No Delimiter".
void WriteDelimiter(int position, SettingsImage& image);

}  // namespace k470
