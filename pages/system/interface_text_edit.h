// The text edit of the interface dialogs (the Bluetooth PIN code or the M912
// S/N), and the lower part that both dialogs lay out alike around it. It holds what will be stored,
// so typing stops a PIN at 15 characters; a 16-character PIN read from a file is still shown,
// kept and edited whole.
#pragma once

#include <QLineEdit>
#include <array>
#include <string>

#include "core/app_state.h"

class QCheckBox;
class QLabel;
class QVBoxLayout;

namespace k470::gui {

class InterfaceTextEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Shows `loaded`, the PIN code or (for the M912 interfaces) the S/N.
  InterfaceTextEdit(SelectedInterface interface, const std::string& loaded,
                    QWidget* parent = nullptr);

  // The text as it is to be stored, one byte per character.
  std::string Stored() const { return text().toLatin1().toStdString(); }
};

// The four Bluetooth boxes (Discoverable, BT Power Saving, Authentication,
// SSP Mode) in two rows, then the text's label and edit.
QVBoxLayout* BluetoothBoxesAndText(const std::array<QCheckBox*, 4>& boxes, QLabel* label,
                                   QLineEdit* text);

}  // namespace k470::gui
