// What the user asks of the reader: the operation and all it needs besides
// the port, handed to the device-operations driver in one piece.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"

namespace k470 {

enum class DeviceOperation {
  kReadSettings,
  kDownloadSettings,
  kSetClock,
  kBatteryQuery,
  kMemorySizeQuery,
  kClearMemory,
  // Only the identity query, for k470ctl info: the reader's texts, nothing else.
  kIdentify,
};

// One exchange the user asked for, with all it needs besides the port.
struct DeviceRequest {
  explicit DeviceRequest(DeviceOperation op = DeviceOperation::kIdentify) : operation(op) {}

  DeviceOperation operation;
  // The 29-byte clock command: Set clock sends it, and a download sends it
  // before the settings when there is one (the clock kept in step with the PC).
  std::optional<std::string> clock_command;
  ReadSettingsType read_type = ReadSettingsType::kCurrent;              // for a read
  DownloadSettingsType download_type = DownloadSettingsType::kCurrent;  // for a download
};

}  // namespace k470
