// The "Advanced" dialog of the serial interfaces, Bluetooth SPP Slave and
// M912 VCOM: the Bluetooth options and the PIN code or M912 S/N. OK writes the
// image at once, whatever the sheet does afterwards.
#pragma once

#include <QDialog>

#include "core/app_state.h"
#include "settings/system/interface_options.h"

class QCheckBox;

namespace k470::gui {

class InterfaceTextEdit;

class SerialInterfaceDialog : public QDialog {
  Q_OBJECT

 public:
  SerialInterfaceDialog(AppState& state, SelectedInterface interface, QWidget* parent = nullptr);

  void accept() override;

 private:
  AppState& state_;
  SelectedInterface interface_;
  QCheckBox* authentication_;
  QCheckBox* discoverable_;
  QCheckBox* power_saving_;
  QCheckBox* ssp_mode_;
  InterfaceTextEdit* text_;
};

}  // namespace k470::gui
