#include "settings/tagfilter/single_tag_mode_result.h"

#include "settings/tagfilter/epc_filter.h"

namespace k470 {

void StoreSingleTagMode(const SingleTagModeResult& result, SettingsImage& image) {
  StoreScanSettings(result.scan, image);
  if (result.filter) ConfirmFilter(result.filter->opened, result.filter->chosen, image);
}

}  // namespace k470
