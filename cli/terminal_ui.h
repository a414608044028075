// The device-operations driver's user interface on a terminal. k470ctl never
// asks: "Retry" and "Yes" are answered from a budget of retries given on the
// command line, and every refusal becomes an error on stderr and an exit code.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "cli/exit_codes.h"
#include "link/device_ui.h"

namespace k470::cli {

class TerminalUi : public DeviceUi {
 public:
  TerminalUi(int retries, bool verbose, bool show_progress)
      : retries_left_(retries), verbose_(verbose), show_progress_(show_progress) {}

  FailureChoice ShowFailed(FailureKind kind) override;
  bool ShowComPortProperties(DeviceRequest& request) override;
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageKind kind) override;
  bool AskYesNo(const std::string& question, const std::string& caption,
                const std::string& failure) override;
  void SetStatusText(const std::string& text) override;

  void Begin(const std::string& text, const std::string& bar_text, int maximum) override;
  void SetPosition(int position) override;
  void End() override;

  // Tells why the port could not be opened, for the error message.
  void SetPortErrorSource(std::function<std::string()> source) { port_error_ = std::move(source); }
  // Tells why the reader's last exchange failed, added to the driver's texts.
  void SetCauseSource(std::function<std::string()> source) { cause_ = std::move(source); }
  // What the progress line says, in the user's terms ("Reading settings"):
  // the reader's own words for it are the other way round.
  void SetProgressLabel(std::string label) { progress_label_ = std::move(label); }

  // Marks the UI as one reader's among several: its errors are not printed
  // (the run reports them in the reader's line) and its messages name `port`.
  void SetFleetPort(std::string port) {
    fleet_port_ = std::move(port);
    in_fleet_ = true;
    show_progress_ = false;
  }

  // The exit code that fits what went wrong last; kExitReader when nothing was said.
  ExitCode failure_code() const { return failure_code_; }
  // The last error text shown, for callers that add to it.
  const std::string& last_error() const { return last_error_; }

 private:
  void Error(const std::string& text, ExitCode code);
  // A line on stderr, "k470ctl: " and in a fleet the port before it.
  void Say(const std::string& text) const;
  bool TakeRetry();

  // The driver's text, with the link's cause after it when there is one.
  std::string WithCause(const std::string& text) const;

  std::function<std::string()> port_error_;
  std::function<std::string()> cause_;
  std::string progress_label_;
  int retries_left_;
  bool verbose_;
  bool show_progress_;
  ExitCode failure_code_ = kExitReader;
  std::string last_error_;
  bool in_fleet_ = false;
  std::string fleet_port_;
  std::string progress_text_;
  int progress_max_ = 0;
  int last_percent_ = -1;
};

}  // namespace k470::cli
