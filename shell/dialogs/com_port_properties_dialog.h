// The "COM Port Properties" dialog: which port the reader is on and, for a read
// or a download of the settings, which of the reader's settings are meant. The
// port is remembered in the .ini file for the next start.
//
// Ports are device paths here, so the port field is an editable list of the
// discovered ports that takes any typed path; the number range of a Windows
// COM port has no counterpart.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/app_state.h"
#include "link/device_ui.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace k470::gui {

class ComPortPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  // Fills the controls from `state` for `operation`; `config_folder` is where
  // Ok writes the .ini file. `state` must outlive the dialog.
  ComPortPropertiesDialog(k470::AppState& state, k470::DeviceOperation operation,
                          std::string config_folder, QWidget* parent = nullptr);

  // Runs the dialog modally. True on Ok (state and .ini file updated), false
  // on Cancel (nothing changed).
  static bool Show(k470::AppState& state, k470::DeviceOperation operation,
                   const std::string& config_folder, QWidget* parent = nullptr);

  // Ok: takes over the port, the line settings and the settings types, writes
  // the .ini file (a failure there is silent) and closes with Accepted.
  void accept() override;

 private:
  void UpdateOkForDownload();
  std::string PortFieldText() const;

  k470::AppState& state_;
  k470::DeviceOperation operation_;
  std::string config_folder_;

  QComboBox* port_;
  // Baud rate, data bits, parity, stop bits, flow control.
  std::array<QComboBox*, 5> line_lists_{};
  QRadioButton* read_current_;
  QRadioButton* read_user_defined_;
  QCheckBox* download_current_;
  QCheckBox* download_user_defined_;
  QPushButton* ok_;
};

}  // namespace k470::gui
