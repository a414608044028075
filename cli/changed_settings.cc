#include "cli/changed_settings.h"

#include "settings/named/settings_json.h"

namespace k470::cli {

std::vector<std::string> ChangedSettings(const SettingsImage& reader_image,
                                         const SettingsImage& reference_image) {
  // The names diff gives; the checksum pair is made equal first, so bits no
  // control shows still count as a change.
  SettingsImage reader = reader_image;
  reader.SetByte(kChecksumOffset, reference_image.Byte(kChecksumOffset));
  reader.SetByte(kChecksumOffset + 1, reference_image.Byte(kChecksumOffset + 1));
  std::vector<std::string> changed;
  for (const SettingDifference& d : DiffSettings(reader, reference_image)) {
    changed.push_back(d.field);
  }
  return changed;
}

}  // namespace k470::cli
