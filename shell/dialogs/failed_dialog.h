// The "Failed!" dialog of the device operations: five painted lines that say
// what went wrong and what each button does, and Retry / COM Setting / Cancel.
#pragma once

#include <QDialog>

#include "link/device_ui.h"

namespace k470::gui {

class FailedDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FailedDialog(const k470::FailedLines& lines, QWidget* parent = nullptr);

  // Shows the dialog modally and returns the user's choice; closing it in any
  // other way than with its buttons is Cancel.
  static k470::FailureChoice Ask(const k470::FailedLines& lines, QWidget* parent = nullptr);

  // The lines as painted, line 1 first.
  const k470::FailedLines& lines() const { return lines_; }

  // Escape and the window's close button end the dialog as Cancel does.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  k470::FailedLines lines_;
};

}  // namespace k470::gui
