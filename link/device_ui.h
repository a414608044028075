// How the device-operations driver reaches the user. The GUI implements it with
// dialogs and the status bar, k470ctl with the terminal, tests with a script.
#pragma once

#include <array>
#include <string>

#include "link/device_request.h"
#include "link/progress.h"

namespace k470 {

// Result of the "Failed!" dialog; the numbers are the dialog's own results.
enum class FailureChoice { kRetry = 10, kComSetting = 11, kCancel = 2 };

enum class MessageIcon { kExclamation, kInformation, kQuestion };

// What a message tells: that the operation failed, or that it is done.
enum class MessageKind { kError, kDone };

// Why the "Failed!" dialog is shown.
enum class FailureKind { kPortCannotBeOpened, kReaderDoesNotAnswer };

// The five painted lines of the "Failed!" dialog (the fifth stays empty).
using FailedLines = std::array<std::string, 5>;

class DeviceUi : public ProgressSink {
 public:
  // The "Failed!" dialog for `kind` (its lines: FailedLinesFor); Cancel also
  // when it is closed otherwise.
  virtual FailureChoice ShowFailed(FailureKind kind) = 0;

  // The "COM Port Properties" dialog for the request's operation. True on
  // Ok: it has then set the port in use and the configured port of the
  // application state, the settings types of the request (and of the state,
  // for the next requests) and written the .ini file. False on Cancel.
  virtual bool ShowComPortProperties(DeviceRequest& request) = 0;

  // A message box with an OK button. `kind` says what it means, so a caller
  // that shows no box can act on it without reading the text.
  virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                           MessageKind kind) = 0;

  // A question with Yes and No; true for Yes. `failure` tells what a No
  // leaves behind ("Failed to read!").
  virtual bool AskYesNo(const std::string& question, const std::string& caption,
                        const std::string& failure) = 0;

  // The main window's status bar ("Connecting to K470......", "Connected!").
  virtual void SetStatusText(const std::string& text) = 0;
};

}  // namespace k470
