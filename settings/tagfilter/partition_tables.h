// Bit widths of a GS1 scheme's company prefix and of the field after it, by
// partition, as the EPC Tag Data Standard's partition tables publish them.
// The filter codec uses them to place and size the compared bits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "settings/tagfilter/tag_types.h"

namespace k470 {

inline constexpr int kPartitionCount = 7;
using PartitionWidths = std::array<std::uint8_t, kPartitionCount>;

// Every GS1 table gives the company prefix the same widths.
inline constexpr PartitionWidths kCompanyPrefixBits = {40, 37, 34, 30, 27, 24, 20};
// A GS1 EPC starts with header (8), filter value (3) and partition (3).
inline constexpr unsigned kCompanyPrefixPointer = 14;
inline constexpr int kCompanyPrefixDigits = 12;  // at partition 0

// Second-field widths of a GS1 scheme; none for DoD-96, GID-96 and ADI-var,
// which have no partition.
std::optional<PartitionWidths> SecondFieldBits(Scheme scheme);
bool HasPartition(Scheme scheme);

// Partitions outside 0-6 have no row in the tables: they are clamped, so no
// table is ever read past its end.
int ClampPartition(long long partition);

// The company prefix typed with `characters` characters: 12 - characters.
int PartitionOfPrefixLength(std::size_t characters);
// The second field's digit count: count - the scheme's minimum digit count.
// Counts below the range give partition 0, counts above it partition 6.
int PartitionOfDigitCount(Scheme scheme, unsigned count);

// The partition whose width is `bits`; none when no row has it.
std::optional<int> PartitionOfPrefixBits(unsigned bits);
std::optional<int> PartitionOfSecondFieldBits(Scheme scheme, unsigned bits);

}  // namespace k470
