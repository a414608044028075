#include "settings/tagfilter/scan_settings.h"

#include "settings/operation/operation_settings.h"

namespace k470 {

ScanSettings LoadScanSettings(const SettingsImage& image) {
  ScanSettings s;
  s.timeout = image.Byte(kScanTimeoutByte);
  s.delay = static_cast<int>(image.Bits(kScanModeByte, 4, 4));
  s.counter_limit = image.Byte(kScanCounterByte);
  s.warn_at_limit = image.Bit(kMultiTagFlagsByte, 0);
  return s;
}

void StoreScanSettings(const ScanSettings& s, SettingsImage& image) {
  image.SetByte(kScanTimeoutByte, static_cast<std::uint8_t>(s.timeout));
  image.SetBits(kScanModeByte, 4, 4, static_cast<std::uint32_t>(s.delay));
  image.SetByte(kScanCounterByte, static_cast<std::uint8_t>(s.counter_limit));
  image.SetBit(kMultiTagFlagsByte, 1, false);
  image.SetBit(kMultiTagFlagsByte, 0, s.warn_at_limit);
}

}  // namespace k470
