// The "Bluetooth PIN Code" dialog: sends a new Bluetooth PIN code to the
// reader over a shell port of its own, outside the device-operations driver.
#pragma once

#include <QDialog>

#include "core/app_state.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "shell/dialogs/shell_port_chooser.h"

class QLineEdit;

namespace k470::gui {

class PinCodeDialog : public QDialog {
  Q_OBJECT

 public:
  // `shell_port` is the main window's shell port; `list_ports` rebuilds the
  // port list (when the dialog opens and on every OK); `set_status` writes
  // the main window's status bar. All must outlive the dialog.
  PinCodeDialog(k470::AppState& state, k470::SerialPort& shell_port, k470::Clock& clock,
                PortLister list_ports, StatusTextSink set_status, QWidget* parent = nullptr);

  QLineEdit* pin_edit() const { return pin_; }
  const ShellPortChooser& chooser() const { return chooser_; }

  // OK: opens the chosen port and sends the PIN code, then closes with
  // Accepted. When the port cannot be opened the dialog stays open.
  void accept() override;

 private:
  k470::SerialPort& port_;
  k470::Clock& clock_;
  QLineEdit* pin_;
  ShellPortChooser chooser_;
};

}  // namespace k470::gui
