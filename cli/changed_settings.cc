#include "cli/changed_settings.h"

namespace k470::cli {

std::vector<std::string> ChangedSettings(const SettingsImage& reader_image,
                                         const SettingsImage& reference_image) {
  // Until the settings have names, a difference is named by its offset.
  std::vector<std::string> changed;
  for (std::size_t offset = 0; offset < kChecksumOffset; ++offset) {
    if (reader_image.Byte(offset) != reference_image.Byte(offset)) {
      changed.push_back("offset " + std::to_string(offset));
    }
  }
  return changed;
}

}  // namespace k470::cli
