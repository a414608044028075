// The "Advanced" dialog of the keyboard interfaces, Bluetooth HID and M912
// HID: keyboard emulation, the Bluetooth options and the PIN code or M912
// S/N. OK writes the image at once, whatever the sheet does afterwards.
#pragma once

#include <QDialog>
#include <array>

#include "core/app_state.h"
#include "settings/system/interface_options.h"

class QCheckBox;

namespace k470::gui {

class CodeList;
class InterfaceTextEdit;
class NumericEdit;

class KeyboardInterfaceDialog : public QDialog {
  Q_OBJECT

 public:
  // Loads from the image for `interface`; opening for M912 HID may already
  // change byte 18 (see OpenInterfaceFields).
  KeyboardInterfaceDialog(AppState& state, SelectedInterface interface, QWidget* parent = nullptr);

  void accept() override;

 private:
  AppState& state_;
  SelectedInterface interface_;
  InterfaceFields loaded_;
  // Keyboard Type, Caps Lock State, Caps Lock Type, Character Transmit Mode,
  // Keyboard Layout, Alphabets Transmission, Digits Transmission, Digits Position.
  std::array<CodeList*, 8> lists_{};
  NumericEdit* delay_;
  QCheckBox* kanji_;
  QCheckBox* discoverable_;
  QCheckBox* power_saving_;
  QCheckBox* authentication_;
  QCheckBox* ssp_mode_;
  InterfaceTextEdit* text_;
};

}  // namespace k470::gui
