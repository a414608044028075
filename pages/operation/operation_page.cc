#include "pages/operation/operation_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "pages/operation/delimiter_dialog.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/output_controls.h"
#include "settings/operation/output_sequence.h"
#include "widgets/code_list.h"
#include "widgets/dialog_picture.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"

namespace k470::gui {
namespace {

constexpr int kMoveIconSize = 16;
constexpr int kKeyFieldWidth = 120;
constexpr int kDisplayFieldWidth = 56;
constexpr int kFieldListHeight = 76;

// The first selected row of a field list box, -1 when none is selected.
int FirstSelectedRow(const QListWidget* list) {
  int first = -1;
  for (const QListWidgetItem* item : list->selectedItems()) {
    const int row = list->row(item);
    if (first < 0 || row < first) first = row;
  }
  return first;
}

void FillFieldList(QListWidget* list, const std::vector<int>& codes) {
  list->clear();
  for (int code : codes) list->addItem(Latin1(UhfFieldName(code)));
}

}  // namespace

OperationPage::OperationPage(AppState& state, SheetContext&, AdvancedDialog advanced,
                             QWidget* parent)
    : SettingsPage(parent), state_(state), advanced_dialog_(std::move(advanced)) {
  // The output controls are collected as they are made; the switch acts on all of them.
  const auto out = [this](auto* widget) {
    output_controls_.push_back(widget);
    return widget;
  };

  // Scan Mode.
  auto* scan_group = Named(new QGroupBox(QStringLiteral("Scan Mode"), this), 1061);
  auto* scan_grid = new QGridLayout(scan_group);
  const char* const mode_texts[] = {"Single TAG Mode", "Multi-TAG Mode", "Test Mode"};
  const int modes[] = {kScanModeSingleTag, kScanModeMultiTag, kScanModeTest};
  for (int i = 0; i < 3; ++i) {
    scan_modes_[i] =
        Named(new QRadioButton(QString::fromLatin1(mode_texts[i]), scan_group), 1064 + i);
    scan_grid->addWidget(scan_modes_[i], i, 0);
    const int mode = modes[i];
    connect(scan_modes_[i], &QRadioButton::clicked, this, [this, mode] { ScanModeClicked(mode); });
  }
  for (int i = 0; i < 2; ++i) {
    advanced_[i] = Named(new QPushButton(QStringLiteral("Advanced"), scan_group), 1067 + i);
    scan_grid->addWidget(advanced_[i], i, 1);
    connect(advanced_[i], &QPushButton::clicked, this, &OperationPage::AdvancedClicked);
  }

  // Memory Data.
  auto* memory_group = Named(new QGroupBox(QStringLiteral("Memory Data"), this), 1062);
  memory_mode_ = Named(new QCheckBox(QStringLiteral("Memory Mode"), memory_group), 1208);
  memory_delay_label_ = Label("Memory Data Transmit Delay (ms) :", 1070, memory_group);
  memory_delay_ = List(kDelayList, 1071, memory_group);
  auto* memory_grid = new QGridLayout(memory_group);
  memory_grid->addWidget(memory_mode_, 0, 0, 1, 2);
  memory_grid->addWidget(memory_delay_label_, 1, 0);
  memory_grid->addWidget(memory_delay_, 1, 1);
  connect(memory_mode_, &QCheckBox::clicked, this, &OperationPage::UpdateDelayControls);

  // Output Format: data format, buffer and the order of the sections.
  auto* format_group = Named(new QGroupBox(QStringLiteral("Output Format"), this), 1063);
  data_format_ = List(DataFormatList(state_.selected_interface), 1075, format_group);
  transmission_buffer_ =
      Named(new QCheckBox(QStringLiteral("Transmission Buffer"), format_group), 1080);
  transmit_delay_label_ = Label("Transmit Delay (ms) :", 1074, format_group);
  transmit_delay_ = List(kDelayList, 1079, format_group);
  auto* sequence_label = out(Label("Output Sequence :", 1073, format_group));
  auto* sequence_row = new QHBoxLayout;
  for (std::size_t i = 0; i < output_sequence_.size(); ++i) {
    output_sequence_[i] = out(List(kOutputSequenceList, 1076 + static_cast<int>(i), format_group));
    sequence_row->addWidget(output_sequence_[i]);
    connect(output_sequence_[i], &CodeList::activated, this,
            [this, i] { OutputSequenceActivated(i); });
  }
  auto* format_grid = new QGridLayout(format_group);
  format_grid->addWidget(Label("Data Format :", 1072, format_group), 0, 0);
  format_grid->addWidget(data_format_, 0, 1);
  format_grid->addWidget(transmission_buffer_, 1, 0, 1, 2);
  format_grid->addWidget(transmit_delay_label_, 2, 0);
  format_grid->addWidget(transmit_delay_, 2, 1);
  format_grid->addWidget(sequence_label, 3, 0, 1, 2);
  format_grid->addLayout(sequence_row, 4, 0, 1, 2);
  connect(data_format_, &CodeList::activated, this, [this] {
    SwitchOutputControls(
        OutputControlsEnabled(state_.selected_interface, data_format_->SelectedCode()));
  });
  connect(transmission_buffer_, &QCheckBox::clicked, this, &OperationPage::UpdateDelayControls);

  // Filled and loaded, but never shown: the operation mode is stored nowhere.
  operation_mode_label_ = Label("Operation Mode :", 1060, this);
  operation_mode_ = List(kOperationModeList, 1012, this);

  auto* reset = Named(new QPushButton(QStringLiteral("Reset"), this), 1164);
  connect(reset, &QPushButton::clicked, this, &OperationPage::Reset);

  // Counter.
  auto* right_group = Named(new QGroupBox(this), 1198);
  const auto key_edit = [this, &out](int id, QWidget* parent) {
    auto* edit = out(Named(new QLineEdit(parent), id));
    edit->setMinimumWidth(kKeyFieldWidth);
    return edit;
  };
  // "Prefix :" and "Suffix :" with their fields, on one row of a group.
  const auto key_row = [&out](int prefix_id, QLineEdit* prefix, int suffix_id, QLineEdit* suffix) {
    auto* row = new QHBoxLayout;
    row->addWidget(out(Label("Prefix :", prefix_id, prefix->parentWidget())));
    row->addWidget(prefix, 1);
    row->addSpacing(12);
    row->addWidget(out(Label("Suffix :", suffix_id, suffix->parentWidget())));
    row->addWidget(suffix, 1);
    return row;
  };
  auto* counter_group = out(Named(new QGroupBox(QStringLiteral("Counter"), right_group), 1081));
  QLineEdit* counter_prefix = key_edit(1088, counter_group);
  QLineEdit* counter_suffix = key_edit(1089, counter_group);
  auto* padding_edit = Named(new QLineEdit(counter_group), 1090);
  padding_edit->hide();  // the list below edits that byte
  left_padding_ = out(Named(new CodeList(counter_group), 1239));
  uhf_power_on_ = out(Named(new QCheckBox(QStringLiteral("UHF Power On"), counter_group), 1097));
  new_connection_ =
      out(Named(new QCheckBox(QStringLiteral("New Connection"), counter_group), 1100));
  auto* counter_grid = new QGridLayout(counter_group);
  counter_grid->addLayout(key_row(1084, counter_prefix, 1085, counter_suffix), 0, 0, 1, 2);
  counter_grid->addWidget(out(Label("Left Padding Character :", 1086, counter_group)), 1, 0);
  counter_grid->addWidget(left_padding_, 1, 1);
  counter_grid->addWidget(out(Label("Reset Counter When :", 1087, counter_group)), 2, 0);
  auto* resets = new QHBoxLayout;
  resets->addWidget(uhf_power_on_);
  resets->addWidget(new_connection_);
  resets->addStretch(1);
  counter_grid->addLayout(resets, 2, 1);

  // Timestamp.
  auto* timestamp_group = out(Named(new QGroupBox(QStringLiteral("Timestamp"), right_group), 1082));
  QLineEdit* timestamp_prefix = key_edit(1091, timestamp_group);
  QLineEdit* timestamp_suffix = key_edit(1092, timestamp_group);
  timestamp_format_ = out(List(kTimestampFormatList, 1169, timestamp_group));
  date_format_ = out(List(kDateFormatList, 1167, timestamp_group));
  time_format_ = out(List(kTimeFormatList, 1168, timestamp_group));
  field_separator_ = out(List(kFieldSeparatorList, 1174, timestamp_group));
  timestamp_labels_ = {out(Label("Date Format :", 1102, timestamp_group)),
                       out(Label("Time Format :", 1103, timestamp_group)),
                       out(Label("Timestamp Field Separator :", 1105, timestamp_group))};
  auto* timestamp_grid = new QGridLayout(timestamp_group);
  timestamp_grid->addLayout(key_row(1116, timestamp_prefix, 1119, timestamp_suffix), 0, 0, 1, 2);
  timestamp_grid->addWidget(out(Label("Timestamp Format :", 1104, timestamp_group)), 1, 0);
  timestamp_grid->addWidget(timestamp_format_, 1, 1);
  timestamp_grid->addWidget(timestamp_labels_[0], 2, 0);
  timestamp_grid->addWidget(date_format_, 2, 1);
  timestamp_grid->addWidget(timestamp_labels_[1], 3, 0);
  timestamp_grid->addWidget(time_format_, 3, 1);
  timestamp_grid->addWidget(timestamp_labels_[2], 4, 0);
  timestamp_grid->addWidget(field_separator_, 4, 1);
  connect(timestamp_format_, &CodeList::activated, this, [this] {
    if (data_format_->currentIndex() != 0) ApplyTimestampEnableRule();
  });

  // EPC Tag: prefix, suffix, and the UHF data fields with their delimiter.
  auto* epc_group = out(Named(new QGroupBox(QStringLiteral("EPC Tag"), right_group), 1083));
  QLineEdit* epc_prefix = key_edit(1093, epc_group);
  QLineEdit* epc_suffix = key_edit(1094, epc_group);
  const int display_ids[] = {1173, 1191, 1193, 1195};
  auto* display = new QHBoxLayout;
  for (std::size_t i = 0; i < display_row_.size(); ++i) {
    auto* field = out(Named(new QLineEdit(epc_group), display_ids[i]));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(kDisplayFieldWidth);
    display_row_[i] = field;
  }
  delimiter_ = out(Named(new QPushButton(epc_group), 1170));
  delimiter_->setFixedWidth(delimiter_->fontMetrics().horizontalAdvance(QStringLiteral("[Tab]")) +
                            16);
  connect(delimiter_, &QPushButton::clicked, this, &OperationPage::DelimiterClicked);
  for (std::size_t i = 0; i < delimiter_labels_.size(); ++i) {
    delimiter_labels_[i] = out(Label("", 1248 + static_cast<int>(i), epc_group));
    delimiter_labels_[i]->setAlignment(Qt::AlignCenter);
    delimiter_labels_[i]->setMinimumWidth(delimiter_->width());
  }
  display->addWidget(display_row_[0]);
  display->addWidget(delimiter_);
  display->addWidget(display_row_[1]);
  display->addWidget(delimiter_labels_[0]);
  display->addWidget(display_row_[2]);
  display->addWidget(delimiter_labels_[1]);
  display->addWidget(display_row_[3]);
  display->addStretch(1);

  available_ = out(Named(new QListWidget(epc_group), 1199));
  selected_ = out(Named(new QListWidget(epc_group), 1200));
  for (QListWidget* list : {available_, selected_}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFixedHeight(kFieldListHeight);
  }
  const struct {
    int id;
    const char* text;
    const char* icon;
  } moves[] = {{1201, ">", kMoveRightIcon},
               {1202, "<", kMoveLeftIcon},
               {1203, "^", kMoveUpIcon},
               {1204, "V", kMoveDownIcon}};
  std::array<QPushButton*, 4> move_buttons{};
  for (std::size_t i = 0; i < move_buttons.size(); ++i) {
    auto* button = out(Named(new QPushButton(epc_group), moves[i].id));
    // The icon stands in for the text; the text stays the button's name.
    button->setIcon(DialogIcon(QString::fromLatin1(moves[i].icon), kMoveIconSize));
    button->setAccessibleName(QString::fromLatin1(moves[i].text));
    button->setFixedWidth(button->sizeHint().height() + 8);
    move_buttons[i] = button;
  }
  connect(move_buttons[0], &QPushButton::clicked, this, [this] {
    if (MoveToSelected(uhf_fields_, FirstSelectedRow(available_))) ShowUhfFields();
  });
  connect(move_buttons[1], &QPushButton::clicked, this, [this] {
    if (MoveToAvailable(uhf_fields_, FirstSelectedRow(selected_))) ShowUhfFields();
  });
  const auto reorder = [this](int (*move)(UhfFieldLists&, int)) {
    const int row = FirstSelectedRow(selected_);
    if (row < 0) return;
    const int moved_to = move(uhf_fields_, row);
    ShowUhfFields();
    selected_->setCurrentRow(moved_to);
  };
  connect(move_buttons[2], &QPushButton::clicked, this, [reorder] { reorder(MoveUp); });
  connect(move_buttons[3], &QPushButton::clicked, this, [reorder] { reorder(MoveDown); });

  auto* in_out = new QVBoxLayout;
  in_out->addWidget(move_buttons[0]);
  in_out->addWidget(move_buttons[1]);
  auto* up_down = new QVBoxLayout;
  up_down->addWidget(move_buttons[2]);
  up_down->addWidget(move_buttons[3]);
  auto* lists = new QHBoxLayout;
  lists->addWidget(available_, 1);
  lists->addLayout(in_out);
  lists->addWidget(selected_, 1);
  lists->addLayout(up_down);
  auto* epc_column = new QVBoxLayout(epc_group);
  epc_column->addLayout(key_row(1098, epc_prefix, 1099, epc_suffix));
  epc_column->addLayout(display);
  epc_column->addLayout(lists);

  const std::array<QLineEdit*, 7> key_edits = {counter_prefix,   counter_suffix,   padding_edit,
                                               timestamp_prefix, timestamp_suffix, epc_prefix,
                                               epc_suffix};
  for (std::size_t i = 0; i < key_edits.size(); ++i) {
    const std::size_t size = key_edits[i] == padding_edit ? kPaddingFieldSize : kKeyFieldSize;
    key_fields_[i] = new KeySequenceField(key_edits[i], size, state_);
  }

  // Left half above Reset, right half beside it.
  auto* left = new QVBoxLayout;
  left->addWidget(scan_group);
  left->addWidget(memory_group);
  left->addWidget(format_group);
  left->addStretch(1);
  auto* reset_row = new QHBoxLayout;
  reset_row->addWidget(reset);
  reset_row->addStretch(1);
  left->addLayout(reset_row);
  auto* right = new QVBoxLayout(right_group);
  right->addWidget(counter_group);
  right->addWidget(timestamp_group);
  right->addWidget(epc_group);
  auto* columns = new QHBoxLayout(this);
  columns->addLayout(left);
  columns->addWidget(right_group, 1);

  NormaliseOperationPageOnOpen(state_);
  ShowValues(k470::LoadOperationPage(state_, kNoCode));
}

void OperationPage::ShowValues(const OperationPageValues& v) {
  loaded_ = v;
  operation_mode_->SelectCode(state_.operation_mode);
  operation_mode_label_->hide();
  operation_mode_->hide();

  // A scan mode without a radio button leaves the buttons as they were.
  for (QPushButton* button : advanced_) button->setEnabled(false);
  switch (state_.pending_scan_mode) {
    case kScanModeSingleTag:
      scan_modes_[0]->setChecked(true);
      advanced_[0]->setEnabled(true);
      break;
    case kScanModeMultiTag:
      scan_modes_[1]->setChecked(true);
      advanced_[1]->setEnabled(true);
      break;
    case kScanModeTest:
      scan_modes_[2]->setChecked(true);
      break;
  }

  const OperationSettings& s = v.settings;
  memory_mode_->setChecked(s.memory_mode);
  memory_delay_->SelectCode(s.memory_delay);
  SwitchOutputControls(true);
  data_format_->SelectCode(s.data_format);
  if (!OutputControlsEnabled(state_.selected_interface, s.data_format)) {
    SwitchOutputControls(false);
  }
  transmission_buffer_->setChecked(s.transmission_buffer);
  transmit_delay_->SelectCode(s.transmit_delay);
  UpdateDelayControls();
  for (std::size_t i = 0; i < output_sequence_.size(); ++i) {
    output_sequence_[i]->SelectCode(s.output_sequence[i]);
    shown_sequence_[i] = output_sequence_[i]->SelectedCode();
  }

  const OutputFormat& f = v.output;
  left_padding_->Fill(kLeftPaddingList);
  left_padding_->SelectCode(f.left_padding);
  uhf_power_on_->setChecked(f.reset_on_uhf_power_on);
  new_connection_->setChecked(f.reset_on_new_connection);
  const std::array<KeyBuffer, 7> buffers = {
      f.counter_prefix,   f.counter_suffix,   ReadKeyBuffer(state_.image, kLeftPaddingField),
      f.timestamp_prefix, f.timestamp_suffix, f.epc_prefix,
      f.epc_suffix};
  for (std::size_t i = 0; i < key_fields_.size(); ++i) key_fields_[i]->SetBuffer(buffers[i]);
  timestamp_format_->SelectCode(f.timestamp.format);
  date_format_->SelectCode(f.timestamp.date);
  time_format_->SelectCode(f.timestamp.time);
  field_separator_->SelectCode(f.timestamp.separator);
  if (data_format_->currentIndex() != 0) ApplyTimestampEnableRule();

  uhf_fields_ = v.uhf_fields;
  ShowUhfFields();
  ShowDelimiterName(v.delimiter_name);
}

void OperationPage::Apply() {
  OperationPageValues v = loaded_;
  OperationSettings& s = v.settings;
  // A list showing nothing hands over kNoCode, and the image keeps its code.
  s.memory_mode = memory_mode_->isChecked();
  s.memory_delay = memory_delay_->SelectedCode();
  s.data_format = data_format_->SelectedCode();
  s.transmission_buffer = transmission_buffer_->isChecked();
  s.transmit_delay = transmit_delay_->SelectedCode();
  for (std::size_t i = 0; i < output_sequence_.size(); ++i) {
    s.output_sequence[i] = output_sequence_[i]->SelectedCode();
  }

  OutputFormat& f = v.output;
  f.counter_prefix = key_fields_[0]->buffer();
  f.counter_suffix = key_fields_[1]->buffer();
  f.timestamp_prefix = key_fields_[3]->buffer();
  f.timestamp_suffix = key_fields_[4]->buffer();
  f.epc_prefix = key_fields_[5]->buffer();
  f.epc_suffix = key_fields_[6]->buffer();
  f.left_padding = left_padding_->SelectedCode();
  f.reset_on_uhf_power_on = uhf_power_on_->isChecked();
  f.reset_on_new_connection = new_connection_->isChecked();
  const auto code_or = [](const CodeList* list, int loaded) {
    const int code = list->SelectedCode();
    return code == kNoCode ? loaded : code;
  };
  f.timestamp = {code_or(timestamp_format_, loaded_.output.timestamp.format),
                 code_or(date_format_, loaded_.output.timestamp.date),
                 code_or(time_format_, loaded_.output.timestamp.time),
                 code_or(field_separator_, loaded_.output.timestamp.separator)};

  // The display row is what is sent; its texts name the fields.
  for (std::size_t i = 0; i < display_row_.size(); ++i) {
    v.uhf_fields.display_row[i] = UhfFieldCodeOf(display_row_[i]->text().toStdString());
  }
  k470::StoreOperationPage(v, state_);
}

void OperationPage::InterfaceChanged() {
  const SelectedInterface interface = state_.selected_interface;
  const int stored = static_cast<int>(state_.image.Bits(kDataFormatByte, 2, 2));
  data_format_->Fill(DataFormatList(interface));
  data_format_->SelectCode(DataFormatToSelect(stored, interface));
  SwitchOutputControls(OutputControlsEnabled(interface, stored));
}

void OperationPage::ScanModeClicked(int mode) {
  for (QPushButton* button : advanced_) button->setEnabled(false);
  ChooseScanMode(state_, mode);
  if (mode == kScanModeSingleTag) advanced_[0]->setEnabled(true);
  if (mode == kScanModeMultiTag) advanced_[1]->setEnabled(true);
}

void OperationPage::AdvancedClicked() {
  if (!advanced_dialog_) return;
  // Written at once, whatever the sheet does afterwards.
  if (const auto result = advanced_dialog_(state_, this)) StoreSingleTagMode(*result, state_.image);
}

void OperationPage::UpdateDelayControls() {
  memory_delay_label_->setEnabled(memory_mode_->isChecked());
  memory_delay_->setEnabled(memory_mode_->isChecked());
  transmit_delay_label_->setEnabled(transmission_buffer_->isChecked());
  transmit_delay_->setEnabled(transmission_buffer_->isChecked());
}

void OperationPage::SwitchOutputControls(bool on) {
  for (QWidget* control : output_controls_) control->setEnabled(on);
}

void OperationPage::ApplyTimestampEnableRule() {
  const TimestampEnables on = TimestampEnableRule(timestamp_format_->SelectedCode());
  timestamp_labels_[0]->setEnabled(on.date);
  date_format_->setEnabled(on.date);
  timestamp_labels_[1]->setEnabled(on.time);
  time_format_->setEnabled(on.time);
  timestamp_labels_[2]->setEnabled(on.separator);
  field_separator_->setEnabled(on.separator);
}

void OperationPage::OutputSequenceActivated(std::size_t list) {
  std::array<int, 3> codes{};
  for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = output_sequence_[i]->SelectedCode();
  const OutputSequenceCheck check =
      CheckOutputSequenceChoice(codes, static_cast<int>(list), shown_sequence_[list]);
  switch (check.verdict) {
    case OutputSequenceVerdict::kAccepted:
      break;
    case OutputSequenceVerdict::kAllDisabled:
      ShowMessageBox(this, QMessageBox::Warning, QStringLiteral("Error"),
                     QString::fromLatin1(kAllDisableMessage));
      output_sequence_[list]->SelectCode(check.select_code);
      break;
    case OutputSequenceVerdict::kSectionUsedTwice:
      output_sequence_[list]->SelectCode(check.select_code);
      ShowMessageBox(this, QMessageBox::Warning, QStringLiteral("Error"),
                     QString::fromLatin1(kSameSectionMessage));
      break;
  }
  shown_sequence_[list] = output_sequence_[list]->SelectedCode();
}

void OperationPage::ShowUhfFields() {
  FillFieldList(available_, uhf_fields_.available);
  FillFieldList(selected_, uhf_fields_.selected);
  for (std::size_t i = 0; i < display_row_.size(); ++i) {
    const int code = uhf_fields_.display_row[i];
    display_row_[i]->setText(code == kUhfNone ? QString() : Latin1(UhfFieldName(code)));
  }
}

void OperationPage::ShowDelimiterName(std::string_view name) {
  delimiter_->setText(Latin1(name));
  for (QLabel* label : delimiter_labels_) label->setText(Latin1(name));
}

void OperationPage::DelimiterClicked() {
  const int opened_with = DelimiterPositionOf(state_.image.Byte(kDelimiterByte));
  const int chosen = DelimiterDialog::Choose(opened_with, this);
  // Written at once: Cancel on the sheet keeps the delimiter chosen here.
  WriteDelimiter(chosen, state_.image);
  ShowDelimiterName(ChosenDelimiterName(chosen));
}

void OperationPage::Reset() {
  const int shown_date = date_format_->SelectedCode();
  k470::ResetOperationPage(state_);
  ShowValues(k470::LoadOperationPage(state_, shown_date));
}

}  // namespace k470::gui
