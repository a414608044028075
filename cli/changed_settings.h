// What `apply` tells about a reader whose settings differ from the file: the
// names of the settings that differ, in the order of the image.
#pragma once

#include <string>
#include <vector>

#include "core/settings_image.h"

namespace k470::cli {

// The settings in which `reader_image` differs from `reference_image`; the
// checksum pair is left out, it follows from the rest. Empty when they match.
std::vector<std::string> ChangedSettings(const SettingsImage& reader_image,
                                         const SettingsImage& reference_image);

}  // namespace k470::cli
