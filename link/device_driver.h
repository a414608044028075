// RunDeviceOperation: every exchange with the reader that the user starts —
// read settings, download settings, set clock, battery, memory size, clear
// memory. It chooses the port, opens it, identifies the reader, recovers from
// failures with the user's help, runs the operation and always leaves the
// port closed. The user is reached only through DeviceUi.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "link/device_ui.h"
#include "link/reader_link.h"

namespace k470 {

// Rebuilds and returns the port list ("-Select-" last).
using PortDiscoverer = std::function<std::vector<std::string>()>;

class DeviceDriver {
 public:
  DeviceDriver(AppState& state, ReaderLink& link, DeviceUi& ui, PortDiscoverer discover)
      : state_(state), link_(link), ui_(ui), discover_(std::move(discover)) {}

  // True when the operation completed. Shows the operation's own messages;
  // the caller shows only the success texts (result_text() for battery and
  // memory size). The COM Port Properties dialog, shown on the way, may
  // change the request's settings types.
  bool RunDeviceOperation(DeviceRequest request);

  // The text a battery or memory-size query left for the caller to show.
  const std::string& result_text() const { return result_text_; }

 private:
  enum class Step { kDone, kFailed, kReopen };

  // The configured port, else the first one discovered; empty when there is none.
  std::string ChoosePort();
  bool Run(DeviceRequest& request);
  Step RunOperationSteps(const DeviceRequest& request);
  Step SetReaderClock(const std::string& command);
  Step ReadSettings(ReadSettingsType type);
  Step DownloadSettings(DownloadSettingsType type);
  Step ServiceQuery(DeviceOperation operation);
  // "EXIT\r" sent once, errors ignored, then the port closed.
  void ExitAndClose();
  void Error(const std::string& text);

  AppState& state_;
  ReaderLink& link_;
  DeviceUi& ui_;
  PortDiscoverer discover_;
  std::string result_text_;
};

}  // namespace k470
