#include "cli/terminal_ui.h"

#include <chrono>
#include <thread>

#include "cli/interrupt.h"
#include "cli/messages.h"

namespace k470::cli {

void TerminalUi::Error(const std::string& text, ExitCode code) {
  last_error_ = text;
  failure_code_ = code;
  // After Ctrl-C the failure is ours, not the reader's: main says so.
  if (!Interrupted() && !in_fleet_) SayError(text);
}

void TerminalUi::Say(const std::string& text) const {
  SayNote(in_fleet_ ? fleet_port_ + ": " + text : text);
}

std::string TerminalUi::WithCause(const std::string& text) const {
  const std::string cause = cause_ ? cause_() : "";
  return cause.empty() ? text : text + " (" + cause + ")";
}

bool TerminalUi::TakeRetry() {
  if (retries_left_ <= 0 || Interrupted()) return false;
  --retries_left_;
  if (verbose_) Say("retrying in 1 s (" + std::to_string(retries_left_) + " left)");
  // A reader that is just being plugged in or woken up needs a moment; back to
  // back attempts would all be over before it is there.
  for (int slice = 0; slice < 10 && !Interrupted(); ++slice) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return !Interrupted();
}

FailureChoice TerminalUi::ShowFailed(FailureKind kind) {
  if (TakeRetry()) return FailureChoice::kRetry;
  if (kind == FailureKind::kPortCannotBeOpened) {
    const std::string why = port_error_ ? port_error_() : "";
    Error("cannot open the reader port" + (why.empty() ? "" : " " + why), kExitPort);
  } else {
    Error(
        WithCause("the reader does not answer; press its trigger key to wake it up and try again"),
        kExitReader);
  }
  return FailureChoice::kCancel;
}

bool TerminalUi::ShowComPortProperties(DeviceRequest&) {
  Error("no reader port: connect a reader or give --port PATH", kExitPort);
  return false;
}

void TerminalUi::ShowMessage(const std::string& text, const std::string&, MessageIcon,
                             MessageKind kind) {
  if (kind == MessageKind::kDone) {
    if (verbose_) Say(text);
    return;
  }
  Error(WithCause(text), kExitReader);
}

bool TerminalUi::AskYesNo(const std::string&, const std::string&, const std::string& failure) {
  if (TakeRetry()) return true;
  Error(WithCause(failure), kExitReader);
  return false;
}

void TerminalUi::SetStatusText(const std::string& text) {
  if (verbose_) Say(text);
}

void TerminalUi::Begin(const std::string& text, const std::string&, int maximum) {
  progress_text_ = progress_label_.empty() ? text : progress_label_;
  progress_max_ = maximum;
  last_percent_ = -1;
}

void TerminalUi::SetPosition(int position) {
  if (!show_progress_ || progress_max_ <= 0) return;
  if (progress_max_ < 100) {
    // The upload's counter only goes round: show that data is coming.
    static constexpr char kSpinner[] = "|/-\\";
    std::fprintf(stderr, "\r%s %c", progress_text_.c_str(), kSpinner[position % 4]);
    last_percent_ = 0;
    std::fflush(stderr);
    return;
  }
  const int percent = position * 100 / progress_max_;
  if (percent == last_percent_) return;
  last_percent_ = percent;
  std::fprintf(stderr, "\r%s %3d%%", progress_text_.c_str(), percent);
  std::fflush(stderr);
}

void TerminalUi::End() {
  if (show_progress_ && last_percent_ >= 0) std::fprintf(stderr, "\n");
  last_percent_ = -1;
}

}  // namespace k470::cli
