#include "settings/tagfilter/scan_settings.h"

#include "settings/operation/operation_settings.h"

namespace k470 {

ScanSettings LoadScanSettings(const SettingsImage& image) {
  ScanSettings s;
  s.timeout = static_cast<int>(image.Field(kScanTimeout));
  s.delay = static_cast<int>(image.Field(kScanDelay));
  s.counter_limit = static_cast<int>(image.Field(kCounterLimit));
  s.warn_at_limit = image.Field(kWarnAtLimit) != 0;
  return s;
}

void StoreScanSettings(const ScanSettings& s, SettingsImage& image) {
  image.SetField(kScanTimeout, static_cast<std::uint8_t>(s.timeout));
  image.SetField(kScanDelay, static_cast<std::uint32_t>(s.delay));
  image.SetField(kCounterLimit, static_cast<std::uint8_t>(s.counter_limit));
  image.SetField(kHiddenBit83, false);
  image.SetField(kWarnAtLimit, s.warn_at_limit);
}

}  // namespace k470
