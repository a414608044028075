// Labels of the reader's key codes, as the key picker's grids and the
// key-sequence display texts show them, for the three key tables.
#pragma once

#include <cstdint>
#include <string>

namespace k470 {

// The three grids of the key picker; each has its own label table.
enum class KeyGrid { kAscii, kNormalKey, kScanCode };

// Data columns of a grid; every grid has 16 data rows and the cell in column
// c, row r holds the code 16 * c + r.
inline constexpr int kKeyGridRows = 16;
int KeyGridColumns(KeyGrid grid);
// Number of codes the grid offers (0x80, 0x90 or 0x100).
int KeyGridCodeCount(KeyGrid grid);

// Header texts: "00", "10", ... for columns, "00" ... "0F" for rows.
std::string KeyGridColumnHeader(int column);
std::string KeyGridRowHeader(int row);

// The label of a code in a grid's table. Codes the table does not cover
// (0x80-0xFF in the ASCII table, 0x90-0xFF in the normal-key table) have
// none: HasKeyLabel says so and KeyLabel returns an empty text for them.
bool HasKeyLabel(KeyGrid grid, std::uint8_t code);
std::string KeyLabel(KeyGrid grid, std::uint8_t code);

// The code as two upper-case hexadecimal digits ("00" ... "FF").
std::string HexByte(std::uint8_t code);

}  // namespace k470
