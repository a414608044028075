#include "link/device_driver.h"

#include "core/translatable.h"
#include "link/clock_command.h"
#include "link/port_choice.h"
#include "link/reader_protocol.h"
#include "link/settings_transfer.h"
#include "link/status_texts.h"

namespace k470 {
namespace {

constexpr Millis kReopenPause{100};
constexpr Millis kAfterConnect{100};
constexpr Millis kCommandPause{200};
constexpr Millis kAfterClockInDownload{1000};
constexpr Millis kBeforeRetryQuestion{800};

}  // namespace

std::string DeviceDriver::ChoosePort() {
  if (state_.configured_port.empty() && discover_) state_.port_list = discover_();
  return ConfiguredOrFirstPort(state_.configured_port, state_.port_list);
}

void DeviceDriver::ExitAndClose() {
  link_.SendRaw(command::kExit);
  link_.CloseReaderPort();
}

void DeviceDriver::Error(const std::string& text) {
  ui_.ShowMessage(text, K470_TR_NOOP("k470", "Error"), MessageIcon::kExclamation,
                  MessageKind::kError);
}

bool DeviceDriver::RunDeviceOperation(DeviceRequest request) {
  const bool done = Run(request);
  link_.CloseReaderPort();  // every path has closed it already; make sure of it
  return done;
}

bool DeviceDriver::Run(DeviceRequest& request) {
  result_text_.clear();
  int identity_failures = 0;
  state_.port_in_use = ChoosePort();
  if (state_.port_in_use.empty() || state_.port_in_use == kNoPortRecord) {
    if (!ui_.ShowComPortProperties(request)) return false;
  }

  for (;;) {
    // Open, with the user's help when the port refuses.
    if (!link_.OpenReaderPort(state_.port_in_use, state_.line_settings)) {
      const FailureChoice choice = ui_.ShowFailed(FailureKind::kPortCannotBeOpened);
      if (choice == FailureChoice::kRetry) continue;
      if (choice == FailureChoice::kComSetting && ui_.ShowComPortProperties(request)) continue;
      state_.reader_present = false;
      return false;
    }

    // Identify; the first failure is retried silently with the port reopened.
    state_.reader_present = true;
    const int identity = QueryIdentity(link_, state_.device_info);
    if (identity != kIdentityAccepted) {
      if (identity_failures == 0) {
        ++identity_failures;
        link_.CloseReaderPort();
        link_.clock().SleepFor(kReopenPause);
        continue;
      }
      if (identity == kIdentityOtherModel) {
        ui_.ShowMessage(K470_TR_NOOP("k470", "Device type is not match!"),
                        K470_TR_NOOP("k470", "Read Settings"), MessageIcon::kExclamation,
                        MessageKind::kError);
        ExitAndClose();
        return false;
      }
      const FailureChoice choice = ui_.ShowFailed(FailureKind::kReaderDoesNotAnswer);
      if (choice == FailureChoice::kRetry) {
        identity_failures = 0;
        continue;
      }
      if (choice == FailureChoice::kComSetting) {
        // The count stays, so the next silence comes straight back here.
        if (ui_.ShowComPortProperties(request)) continue;
        ExitAndClose();
        return false;
      }
      state_.reader_present = false;
      ExitAndClose();
      return false;
    }

    ui_.SetStatusText(kStatusConnected);
    link_.clock().SleepFor(kAfterConnect);
    switch (RunOperationSteps(request)) {
      case Step::kDone:
        return true;
      case Step::kFailed:
        return false;
      case Step::kReopen:
        continue;
    }
  }
}

DeviceDriver::Step DeviceDriver::RunOperationSteps(const DeviceRequest& request) {
  const DeviceOperation operation = request.operation;
  switch (operation) {
    case DeviceOperation::kBatteryQuery:
    case DeviceOperation::kMemorySizeQuery:
    case DeviceOperation::kClearMemory:
      return ServiceQuery(operation);
    case DeviceOperation::kIdentify:
      link_.CloseReaderPort();
      return Step::kDone;
    case DeviceOperation::kSetClock: {
      const Step clock = SetReaderClock(request.clock_command.value_or(""));
      if (clock == Step::kDone) link_.CloseReaderPort();
      return clock;
    }
    case DeviceOperation::kReadSettings:
      return ReadSettings(request.read_type);
    case DeviceOperation::kDownloadSettings:
      if (request.clock_command) {
        const Step clock = SetReaderClock(*request.clock_command);
        if (clock != Step::kDone) return clock;
        link_.clock().SleepFor(kAfterClockInDownload);
      }
      return DownloadSettings(request.download_type);
  }
  return Step::kFailed;
}

DeviceDriver::Step DeviceDriver::ServiceQuery(DeviceOperation operation) {
  k470::ServiceQuery query = k470::ServiceQuery::kBattery;
  std::string failure = K470_TR_NOOP("k470", "Failed to get battery information!");
  if (operation == DeviceOperation::kMemorySizeQuery) {
    query = k470::ServiceQuery::kMemorySize;
    failure = K470_TR_NOOP("k470", "Failed to get free memory size!");
  } else if (operation == DeviceOperation::kClearMemory) {
    query = k470::ServiceQuery::kClearMemory;
    failure = K470_TR_NOOP("k470", "Failed to clear memory!");
  }
  const auto text = RunServiceQuery(link_, query);
  if (!text) {
    Error(failure);
    link_.clock().SleepFor(kCommandPause);
    ExitAndClose();
    return Step::kFailed;
  }
  result_text_ = *text;
  link_.CloseReaderPort();
  return Step::kDone;
}

DeviceDriver::Step DeviceDriver::SetReaderClock(const std::string& command) {
  // The command always goes out as its 29 bytes.
  std::string bytes = command;
  bytes.resize(kClockCommandSize, '\0');
  if (!SendExpectingOk(link_, bytes, kCommandPause)) {
    Error(K470_TR_NOOP("k470", "Failed to update system clock!"));
    link_.clock().SleepFor(kCommandPause);
    ExitAndClose();
    return Step::kFailed;
  }
  link_.clock().SleepFor(kCommandPause);
  // A lone Set clock is complete here; a download goes on with its settings.
  return Step::kDone;
}

DeviceDriver::Step DeviceDriver::ReadSettings(ReadSettingsType type) {
  link_.SendRaw(command::kServiceMode);
  if (type == ReadSettingsType::kUserDefined && !SendExpectingOk(link_, command::kReadUser)) {
    Error(K470_TR_NOOP("k470", "Failed to read!"));
    ExitAndClose();
    return Step::kFailed;
  }
  if (ReadBackImage(link_, state_.image, ui_)) return Step::kDone;
  link_.clock().SleepFor(kBeforeRetryQuestion);
  return ui_.AskYesNo(K470_TR_NOOP("k470", "Failed to read, would you like to retry?"),
                      K470_TR_NOOP("k470", "Error"), K470_TR_NOOP("k470", "Failed to read!"))
             ? Step::kReopen
             : Step::kFailed;
}

DeviceDriver::Step DeviceDriver::DownloadSettings(DownloadSettingsType type) {
  link_.SendRaw(command::kServiceMode);
  if (type != DownloadSettingsType::kCurrent &&
      !SendExpectingOk(link_, type == DownloadSettingsType::kUserDefined ? command::kWriteUser
                                                                         : command::kWriteBoth)) {
    Error(K470_TR_NOOP("k470", "Failed to download!"));
    ExitAndClose();
    return Step::kFailed;
  }
  if (DownloadImage(link_, state_.image, ui_)) {
    ui_.ShowMessage(K470_TR_NOOP("k470", "Downloaded completely!"),
                    K470_TR_NOOP("k470", "Download"), MessageIcon::kExclamation,
                    MessageKind::kDone);
    return Step::kDone;
  }
  link_.clock().SleepFor(kBeforeRetryQuestion);
  return ui_.AskYesNo(K470_TR_NOOP("k470", "Failed to download, would you like to retry?"),
                      K470_TR_NOOP("k470", "Error"), K470_TR_NOOP("k470", "Failed to download!"))
             ? Step::kReopen
             : Step::kFailed;
}

}  // namespace k470
