// The image files k470sim keeps between runs: raw 640-byte images, the same
// format as a *.K470 settings file, so either can be opened by the other.
#pragma once

#include <string>

#include "core/settings_image.h"

namespace k470::sim {

enum class ImageLoad { kLoaded, kMissing, kUnreadable };

// Reads `path` over `image`: a shorter file replaces only its leading bytes.
// A file longer than an image is not one and leaves `image` alone.
ImageLoad LoadImageFile(const std::string& path, SettingsImage& image);

// Writes atomically; a failed save leaves the old file as it was.
bool SaveImageFile(const std::string& path, const SettingsImage& image);

}  // namespace k470::sim
