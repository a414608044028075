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
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "settings/operation/operation_page_values.h"
#include "settings/tagfilter/single_tag_mode_result.h"
#include "widgets/settings_page.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace k470::gui {

class CodeList;
class KeySequenceField;

class OperationPage : public SettingsPage, public OperationPageCalls {
  Q_OBJECT

 public:
  // What the two "Advanced" buttons open over the page: the Single TAG Mode
  // dialog, which reads the pending scan mode and hands back what the page
  // stores at once. Empty: the buttons do nothing.
  using AdvancedDialog =
      std::function<std::optional<SingleTagModeResult>(const AppState& state, QWidget* parent)>;

  OperationPage(AppState& state, SheetContext& context, AdvancedDialog advanced = {},
                QWidget* parent = nullptr);

  // OK: every control into the image, in the page's store order.
  void Apply() override;

  void InterfaceChanged() override;

 private:
  // Every control from the values of a load, in the page's load order.
  void ShowValues(const OperationPageValues& values);
  void ScanModeClicked(int mode);
  void AdvancedClicked();
  void UpdateDelayControls();
  // The output sequence, the Counter, Timestamp and EPC Tag controls, all together.
  void SwitchOutputControls(bool on);
  void ApplyTimestampEnableRule();
  void OutputSequenceActivated(std::size_t list);
  void ShowUhfFields();
  void ShowDelimiterName(std::string_view name);
  void DelimiterClicked();
  void Reset();

  AppState& state_;
  AdvancedDialog advanced_dialog_;
  OperationPageValues loaded_;  // for the timestamp lists, should one show nothing
  UhfFieldLists uhf_fields_;

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

  // Counter prefix, suffix, left padding (hidden), Timestamp prefix, suffix,
  // EPC Tag prefix, suffix: the order of the key-sequence field table.
  std::array<KeySequenceField*, 7> key_fields_{};
  CodeList* left_padding_;
  QCheckBox* uhf_power_on_;
  QCheckBox* new_connection_;
  CodeList* timestamp_format_;
  CodeList* date_format_;
  CodeList* time_format_;
  CodeList* field_separator_;
  std::array<QLabel*, 3> timestamp_labels_{};  // Date Format, Time Format, Field Separator

  std::array<QLineEdit*, 4> display_row_{};
  QPushButton* delimiter_;
  std::array<QLabel*, 2> delimiter_labels_{};
  QListWidget* available_;
  QListWidget* selected_;

  std::vector<QWidget*> output_controls_;
};

}  // namespace k470::gui
