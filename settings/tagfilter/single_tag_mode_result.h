// What the Single TAG Mode dialog hands back to be stored: its scan timing
// and, with a TAG type selected, its filter controls as they opened and as OK
// left them.
#pragma once

#include <optional>

#include "core/settings_image.h"
#include "settings/tagfilter/filter_choice.h"
#include "settings/tagfilter/scan_settings.h"

namespace k470 {

struct SingleTagModeResult {
  struct Filter {
    FilterChoice opened;
    FilterChoice chosen;
  };

  ScanSettings scan;
  // None: the filter stays as it is (no TAG type to write it for, or an OK
  // that a pattern stopped).
  std::optional<Filter> filter;
};

// StoreScanSettings, then ConfirmFilter for a filter.
void StoreSingleTagMode(const SingleTagModeResult& result, SettingsImage& image);

}  // namespace k470
