#include "sim/image_file.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/file_env.h"
#include "core/settings_file.h"

namespace k470::sim {

ImageLoad LoadImageFile(const std::string& path, SettingsImage& image) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return ImageLoad::kMissing;
  std::vector<std::uint8_t> bytes;
  if (!ReadFilePrefix(FileEnv::Default(), path, kImageSize + 1, bytes) ||
      bytes.size() > kImageSize) {
    return ImageLoad::kUnreadable;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) image.SetByte(i, bytes[i]);
  return ImageLoad::kLoaded;
}

bool SaveImageFile(const std::string& path, const SettingsImage& image) {
  return WriteSettingsFile(image, path);
}

}  // namespace k470::sim
