// The scan timing of the Single TAG Mode dialog (bytes 80-83): the delay in
// bits 4-7 of the scan-mode byte (its bits 0-3 are the Operation page's), the
// Single TAG timeout, the Multi-TAG counter limit and its warning flag.
#pragma once

#include <array>
#include <cstddef>

#include "core/list_entry.h"
#include "core/settings_image.h"
#include "core/translatable.h"

namespace k470 {

inline constexpr int kMaxScanTimeout = 254;  // seconds
inline constexpr int kMaxCounterLimit = 128;

// "Delay Between Each Scan :", codes 0-7 of bits 4-7 of byte 80.
inline constexpr std::array<ListEntry, 8> kScanDelayList = {{{K470_TR_NOOP("k470", "100ms"), 0},
                                                             {K470_TR_NOOP("k470", "200ms"), 1},
                                                             {K470_TR_NOOP("k470", "400ms"), 2},
                                                             {K470_TR_NOOP("k470", "800ms"), 3},
                                                             {K470_TR_NOOP("k470", "1000ms"), 4},
                                                             {K470_TR_NOOP("k470", "2000ms"), 5},
                                                             {K470_TR_NOOP("k470", "3000ms"), 6},
                                                             {K470_TR_NOOP("k470", "5000ms"), 7}}};

// As stored: the edits correct a value out of their range when they show it.
struct ScanSettings {
  int timeout = 0;
  int delay = 0;  // a code 8-15 has no list entry and is kept
  int counter_limit = 0;
  bool warn_at_limit = false;

  friend bool operator==(const ScanSettings&, const ScanSettings&) = default;
};

ScanSettings LoadScanSettings(const SettingsImage& image);

// The dialog's OK: every field, and bit 1 of byte 83 cleared.
void StoreScanSettings(const ScanSettings& settings, SettingsImage& image);

}  // namespace k470
