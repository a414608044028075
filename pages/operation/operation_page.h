// The "Operation" page of the Device Settings sheet: scan mode, Memory Data,
// data format, Transmission Buffer and output sequence on the left, the
// Counter, Timestamp and EPC Tag output formats on the right. It loads itself
// when created and after Reset, stores itself on OK, and owns the pending
// scan mode of the application state.
#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "core/app_state.h"
#include "settings/operation/operation_page_values.h"
#include "settings/tagfilter/single_tag_mode_result.h"
#include "widgets/settings_page.h"

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace k470::gui {

class CodeList;
class EpcFieldPicker;
class KeySequenceField;

class OperationPage : public SettingsPage {
  Q_OBJECT

 public:
  // What the two "Advanced" buttons open over the page: the Single TAG Mode
  // dialog, which reads the pending scan mode and hands back what the page
  // stores at once. Empty: the buttons do nothing.
  using AdvancedDialog =
      std::function<std::optional<SingleTagModeResult>(const AppState& state, QWidget* parent)>;

  OperationPage(AppState& state, SheetContext& context, AdvancedDialog advanced = {},
                QWidget* parent = nullptr);

  ~OperationPage() override;

  // OK: every control into the image, in the page's store order.
  void Apply() override;

 private:
  // After the System page changed the interface: refills the Data Format list
  // for it, selects the stored data format and switches the output controls
  // by the page's rule.
  void InterfaceChanged();

  // The groups in the order their controls are made, which is the tab order.
  QGroupBox* BuildScanModeGroup();
  QGroupBox* BuildMemoryDataGroup();
  QGroupBox* BuildOutputFormatGroup();
  QGroupBox* BuildCounterGroup(QWidget* parent);
  QGroupBox* BuildTimestampGroup(QWidget* parent);
  QGroupBox* BuildEpcTagGroup(QWidget* parent);
  // A prefix or suffix edit, an output control whose bytes the key picker sets.
  KeySequenceField* KeyField(int id, QWidget* parent);
  // "Prefix :" and "Suffix :" with their fields, on one row of a group.
  QHBoxLayout* KeyRow(int prefix_label_id, KeySequenceField* prefix, int suffix_label_id,
                      KeySequenceField* suffix);
  // The output controls are collected as they are made; the switch acts on all of them.
  template <typename W>
  W* Output(W* control) {
    output_controls_.push_back(control);
    return control;
  }

  // Every control from the values of a load, in the page's load order.
  void ShowValues(const OperationPageValues& values);
  void ScanModeClicked(int mode);
  void AdvancedClicked();
  void UpdateDelayControls();
  // The output sequence, the Counter, Timestamp and EPC Tag controls, all together.
  void SwitchOutputControls(bool on);
  // The timestamp lists follow the format unless the Data Format shows code 0:
  // Packet Data under a serial interface, Hexadecimal under a keyboard one.
  bool TimestampRuleApplies() const;
  void ApplyTimestampEnableRule();
  void OutputSequenceActivated(std::size_t list);
  void DelimiterClicked();
  void Reset();

  AppState& state_;
  SheetContext& context_;
  AdvancedDialog advanced_dialog_;
  OperationPageValues loaded_;  // for the timestamp lists, should one show nothing

  std::array<QRadioButton*, 3> scan_modes_{};  // Single TAG, Multi-TAG, Test
  std::array<QPushButton*, 2> advanced_{};     // beside Single TAG and Multi-TAG
  QCheckBox* memory_mode_;
  QLabel* memory_delay_label_;
  CodeList* memory_delay_;
  CodeList* data_format_;
  QCheckBox* transmission_buffer_;
  QLabel* transmit_delay_label_;
  CodeList* transmit_delay_;
  std::array<CodeList*, 3> output_sequence_{};
  // What each Output Sequence list showed after the last load or accepted pick.
  std::array<int, 3> shown_sequence_{};
  QLabel* operation_mode_label_;
  CodeList* operation_mode_;

  KeySequenceField* counter_prefix_;
  KeySequenceField* counter_suffix_;
  KeySequenceField* left_padding_field_;  // hidden: the list edits that byte
  CodeList* left_padding_;
  QCheckBox* uhf_power_on_;
  QCheckBox* new_connection_;
  KeySequenceField* timestamp_prefix_;
  KeySequenceField* timestamp_suffix_;
  CodeList* timestamp_format_;
  CodeList* date_format_;
  CodeList* time_format_;
  CodeList* field_separator_;
  std::array<QLabel*, 3> timestamp_labels_{};  // Date Format, Time Format, Field Separator
  KeySequenceField* epc_prefix_;
  KeySequenceField* epc_suffix_;
  EpcFieldPicker* epc_fields_;

  std::vector<QWidget*> output_controls_;
};

}  // namespace k470::gui
