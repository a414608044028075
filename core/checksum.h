// The checksum pair at the end of the image, computed just before a download.
#pragma once

#include <cstdint>

#include "core/settings_image.h"

namespace k470 {

// Low 8 bits of the sum of bytes 0-637.
std::uint8_t ComputeChecksum(const SettingsImage& image);

// Stores the sum into byte 638 and its bitwise complement into byte 639.
void StoreChecksumPair(SettingsImage& image);

}  // namespace k470
