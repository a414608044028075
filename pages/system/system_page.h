// The "System" page of the Device Settings sheet: host interface, indicators,
// time-outs, the event output strings and the RFID power. It loads itself
// from the image when created and after Reset, stores itself on OK, and owns
// the selected interface and the beeper-on flag of the application state.
#pragma once

#include <array>

#include "core/app_state.h"
#include "settings/system/system_fields.h"
#include "widgets/settings_page.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace k470::gui {

class CodeList;
class NumericEdit;

class SystemPage : public SettingsPage {
  Q_OBJECT

 public:
  SystemPage(AppState& state, SheetContext& context, QWidget* parent = nullptr);

  // Sets every control from the image; the selected interface is derived first.
  void LoadSystemPage();

  // OK: every control into the image, the interface code first.
  void Apply() override;

 protected:
  // The note "USB VCOM is always available." and its picture.
  void paintEvent(QPaintEvent* event) override;

 private:
  // The groups in the order their controls are made, which is the tab order.
  QGroupBox* BuildInterfaceGroup();
  QGroupBox* BuildIndicatorGroup();
  QGroupBox* BuildTimeoutGroup();
  QGroupBox* BuildEventGroup();
  QGroupBox* BuildPowerGroup();
  void InterfaceClicked(SelectedInterface interface);
  void OpenInterfaceDialog(SelectedInterface interface);
  void ShowSelectedInterface();
  // The enable rules of the indicator group, from the boxes as they are now.
  void UpdateIndicatorControls();
  void CrClicked(int row);
  void Reset();

  AppState& state_;
  SheetContext& context_;
  SystemFields loaded_;  // what the last load showed, for lists that show nothing
  // False while the image holds an interface code no radio stands for.
  bool interface_chosen_ = true;

  std::array<QRadioButton*, 4> interfaces_{};
  std::array<QPushButton*, 4> advanced_{};
  QCheckBox* low_battery_;
  QCheckBox* led_;
  QCheckBox* vibrator_;
  QCheckBox* beeper_;
  QCheckBox* good_read_beep_;
  QCheckBox* command_beep_;
  QLabel* led_duration_label_;
  NumericEdit* led_duration_;
  QLabel* vibrator_duration_label_;
  NumericEdit* vibrator_duration_;
  QLabel* volume_label_;
  CodeList* volume_;
  QLabel* frequency_label_;
  CodeList* frequency_;
  QLabel* beep_duration_label_;
  CodeList* beep_duration_;
  NumericEdit* power_saving_;
  NumericEdit* shutdown_;
  std::array<CodeList*, kEventStringCount> actions_{};
  std::array<QLineEdit*, kEventStringCount> strings_{};
  std::array<QCheckBox*, kEventStringCount> crs_{};
  CodeList* power_level_;
};

}  // namespace k470::gui
