#include "pages/operation/operation_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "pages/operation/delimiter_dialog.h"
#include "pages/operation/epc_field_picker.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/operation_page_ids.h"
#include "settings/operation/output_controls.h"
#include "settings/operation/output_sequence.h"
#include "widgets/code_list.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

namespace ids = operation_page_ids;

constexpr int kKeyFieldWidth = 120;

}  // namespace

OperationPage::OperationPage(AppState& state, SheetContext& context, AdvancedDialog advanced,
                             QWidget* parent)
    : SettingsPage(parent),
      state_(state),
      context_(context),
      advanced_dialog_(std::move(advanced)) {
  context_.SetInterfaceChangedHook([this] { InterfaceChanged(); });
  auto* left = new QVBoxLayout;
  left->addWidget(BuildScanModeGroup());
  left->addWidget(BuildMemoryDataGroup());
  left->addWidget(BuildOutputFormatGroup());
  left->addStretch(1);

  // Filled and loaded, but never shown: the operation mode is stored nowhere.
  operation_mode_label_ = Label(tr("Operation Mode :"), ids::kOperationModeLabel, this);
  operation_mode_ = List(kOperationModeList, ids::kOperationMode, this);

  auto* reset = Named(new QPushButton(tr("Reset"), this), ids::kReset);
  connect(reset, &QPushButton::clicked, this, &OperationPage::Reset);
  auto* reset_row = new QHBoxLayout;
  reset_row->addWidget(reset);
  reset_row->addStretch(1);
  left->addLayout(reset_row);

  // Left half above Reset, the output sections beside it.
  auto* right_group = Named(new QGroupBox(this), ids::kOutputSectionsGroup);
  auto* right = new QVBoxLayout(right_group);
  right->addWidget(BuildCounterGroup(right_group));
  right->addWidget(BuildTimestampGroup(right_group));
  right->addWidget(BuildEpcTagGroup(right_group));
  auto* columns = new QHBoxLayout(this);
  columns->addLayout(left);
  columns->addWidget(right_group, 1);

  NormaliseOperationPageOnOpen(state_);
  ShowValues(LoadOperationPage(state_, kNoCode));
}

QGroupBox* OperationPage::BuildScanModeGroup() {
  auto* group = Named(new QGroupBox(tr("Scan Mode"), this), ids::kScanModeGroup);
  auto* grid = new QGridLayout(group);
  const struct {
    int id;
    const char* text;
    int mode;
  } modes[] = {{ids::kSingleTagMode, QT_TR_NOOP("Single TAG Mode"), kScanModeSingleTag},
               {ids::kMultiTagMode, QT_TR_NOOP("Multi-TAG Mode"), kScanModeMultiTag},
               {ids::kTestMode, QT_TR_NOOP("Test Mode"), kScanModeTest}};
  for (int i = 0; i < 3; ++i) {
    scan_modes_[i] = Named(new QRadioButton(tr(modes[i].text), group), modes[i].id);
    grid->addWidget(scan_modes_[i], i, 0);
    const int mode = modes[i].mode;
    connect(scan_modes_[i], &QRadioButton::clicked, this, [this, mode] { ScanModeClicked(mode); });
  }
  const int advanced_ids[] = {ids::kSingleTagAdvanced, ids::kMultiTagAdvanced};
  for (int i = 0; i < 2; ++i) {
    advanced_[i] = Named(new QPushButton(tr("Advanced"), group), advanced_ids[i]);
    grid->addWidget(advanced_[i], i, 1);
    connect(advanced_[i], &QPushButton::clicked, this, &OperationPage::AdvancedClicked);
  }
  // Line by line: each mode's "Advanced" after its mode.
  TabOrder({scan_modes_[0], advanced_[0], scan_modes_[1], advanced_[1], scan_modes_[2]});
  return group;
}

QGroupBox* OperationPage::BuildMemoryDataGroup() {
  auto* group = Named(new QGroupBox(tr("Memory Data"), this), ids::kMemoryDataGroup);
  memory_mode_ = Named(new QCheckBox(tr("Memory Mode"), group), ids::kMemoryMode);
  memory_delay_label_ =
      Label(tr("Memory Data Transmit Delay (ms) :"), ids::kMemoryDelayLabel, group);
  memory_delay_ = List(kDelayList, ids::kMemoryDelay, group);
  auto* grid = new QGridLayout(group);
  grid->addWidget(memory_mode_, 0, 0, 1, 2);
  grid->addWidget(memory_delay_label_, 1, 0);
  grid->addWidget(memory_delay_, 1, 1);
  memory_delay_label_->setBuddy(memory_delay_);
  connect(memory_mode_, &QCheckBox::clicked, this, &OperationPage::UpdateDelayControls);
  return group;
}

// Data format, buffer and the order of the sections.
QGroupBox* OperationPage::BuildOutputFormatGroup() {
  auto* group = Named(new QGroupBox(tr("Output Format"), this), ids::kOutputFormatGroup);
  data_format_ = List(DataFormatList(state_.selected_interface), ids::kDataFormat, group);
  transmission_buffer_ =
      Named(new QCheckBox(tr("Transmission Buffer"), group), ids::kTransmissionBuffer);
  transmit_delay_label_ = Label(tr("Transmit Delay (ms) :"), ids::kTransmitDelayLabel, group);
  transmit_delay_ = List(kDelayList, ids::kTransmitDelay, group);
  auto* sequence_label = Output(Label(tr("Output Sequence :"), ids::kOutputSequenceLabel, group));
  const int sequence_ids[] = {ids::kOutputSequence1, ids::kOutputSequence2, ids::kOutputSequence3};
  auto* sequence_row = new QHBoxLayout;
  for (std::size_t i = 0; i < output_sequence_.size(); ++i) {
    output_sequence_[i] = Output(List(kOutputSequenceList, sequence_ids[i], group));
    output_sequence_[i]->setAccessibleName(tr("Output Sequence %1").arg(i + 1));
    sequence_row->addWidget(output_sequence_[i]);
    connect(output_sequence_[i], &CodeList::activated, this,
            [this, i] { OutputSequenceActivated(i); });
  }
  auto* grid = new QGridLayout(group);
  grid->addWidget(LabelOf(data_format_, Label(tr("Data Format :"), ids::kDataFormatLabel, group)),
                  0, 0);
  grid->addWidget(data_format_, 0, 1);
  grid->addWidget(transmission_buffer_, 1, 0, 1, 2);
  grid->addWidget(transmit_delay_label_, 2, 0);
  grid->addWidget(transmit_delay_, 2, 1);
  grid->addWidget(sequence_label, 3, 0, 1, 2);
  grid->addLayout(sequence_row, 4, 0, 1, 2);
  transmit_delay_label_->setBuddy(transmit_delay_);
  connect(data_format_, &CodeList::activated, this, [this] {
    SwitchOutputControls(
        OutputControlsEnabled(state_.selected_interface, data_format_->SelectedCode()));
  });
  connect(transmission_buffer_, &QCheckBox::clicked, this, &OperationPage::UpdateDelayControls);
  return group;
}

QGroupBox* OperationPage::BuildCounterGroup(QWidget* parent) {
  auto* group = Output(Named(new QGroupBox(tr("Counter"), parent), ids::kCounterGroup));
  counter_prefix_ = KeyField(ids::kCounterPrefix, group);
  counter_suffix_ = KeyField(ids::kCounterSuffix, group);
  auto* padding_edit = Named(new QLineEdit(group), ids::kLeftPaddingEdit);
  padding_edit->hide();
  left_padding_field_ = new KeySequenceField(padding_edit, kPaddingFieldSize, state_);
  left_padding_ = Output(Named(new CodeList(group), ids::kLeftPadding));
  uhf_power_on_ = Output(Named(new QCheckBox(tr("UHF Power On"), group), ids::kResetOnUhfPowerOn));
  new_connection_ =
      Output(Named(new QCheckBox(tr("New Connection"), group), ids::kResetOnNewConnection));
  auto* grid = new QGridLayout(group);
  grid->addLayout(
      KeyRow(ids::kCounterPrefixLabel, counter_prefix_, ids::kCounterSuffixLabel, counter_suffix_),
      0, 0, 1, 2);
  grid->addWidget(Output(LabelOf(left_padding_, Label(tr("Left Padding Character :"),
                                                      ids::kLeftPaddingLabel, group))),
                  1, 0);
  grid->addWidget(left_padding_, 1, 1);
  grid->addWidget(Output(Label(tr("Reset Counter When :"), ids::kResetCounterLabel, group)), 2, 0);
  auto* resets = new QHBoxLayout;
  resets->addWidget(uhf_power_on_);
  resets->addWidget(new_connection_);
  resets->addStretch(1);
  grid->addLayout(resets, 2, 1);
  return group;
}

QGroupBox* OperationPage::BuildTimestampGroup(QWidget* parent) {
  auto* group = Output(Named(new QGroupBox(tr("Timestamp"), parent), ids::kTimestampGroup));
  timestamp_prefix_ = KeyField(ids::kTimestampPrefix, group);
  timestamp_suffix_ = KeyField(ids::kTimestampSuffix, group);
  timestamp_format_ = Output(List(kTimestampFormatList, ids::kTimestampFormat, group));
  date_format_ = Output(List(kDateFormatList, ids::kDateFormat, group));
  time_format_ = Output(List(kTimeFormatList, ids::kTimeFormat, group));
  field_separator_ = Output(List(kFieldSeparatorList, ids::kFieldSeparator, group));
  timestamp_labels_ = {
      Output(Label(tr("Date Format :"), ids::kDateFormatLabel, group)),
      Output(Label(tr("Time Format :"), ids::kTimeFormatLabel, group)),
      Output(Label(tr("Timestamp Field Separator :"), ids::kFieldSeparatorLabel, group))};
  auto* grid = new QGridLayout(group);
  grid->addLayout(KeyRow(ids::kTimestampPrefixLabel, timestamp_prefix_, ids::kTimestampSuffixLabel,
                         timestamp_suffix_),
                  0, 0, 1, 2);
  grid->addWidget(Output(LabelOf(timestamp_format_, Label(tr("Timestamp Format :"),
                                                          ids::kTimestampFormatLabel, group))),
                  1, 0);
  grid->addWidget(timestamp_format_, 1, 1);
  grid->addWidget(timestamp_labels_[0], 2, 0);
  grid->addWidget(date_format_, 2, 1);
  grid->addWidget(timestamp_labels_[1], 3, 0);
  grid->addWidget(time_format_, 3, 1);
  grid->addWidget(timestamp_labels_[2], 4, 0);
  grid->addWidget(field_separator_, 4, 1);
  timestamp_labels_[0]->setBuddy(date_format_);
  timestamp_labels_[1]->setBuddy(time_format_);
  timestamp_labels_[2]->setBuddy(field_separator_);
  connect(timestamp_format_, &CodeList::activated, this, [this] {
    if (TimestampRuleApplies()) ApplyTimestampEnableRule();
  });
  return group;
}

// Prefix, suffix, and the UHF data fields with their delimiter.
QGroupBox* OperationPage::BuildEpcTagGroup(QWidget* parent) {
  auto* group = Output(Named(new QGroupBox(tr("EPC Tag"), parent), ids::kEpcTagGroup));
  epc_prefix_ = KeyField(ids::kEpcPrefix, group);
  epc_suffix_ = KeyField(ids::kEpcSuffix, group);
  epc_fields_ = Output(new EpcFieldPicker(
      KeyRow(ids::kEpcPrefixLabel, epc_prefix_, ids::kEpcSuffixLabel, epc_suffix_), group));
  connect(epc_fields_, &EpcFieldPicker::DelimiterClicked, this, &OperationPage::DelimiterClicked);
  auto* column = new QVBoxLayout(group);
  column->addWidget(epc_fields_);
  return group;
}

KeySequenceField* OperationPage::KeyField(int id, QWidget* parent) {
  auto* edit = Output(Named(new QLineEdit(parent), id));
  edit->setMinimumWidth(kKeyFieldWidth);
  return new KeySequenceField(edit, kKeyFieldSize, state_);
}

QHBoxLayout* OperationPage::KeyRow(int prefix_label_id, KeySequenceField* prefix,
                                   int suffix_label_id, KeySequenceField* suffix) {
  auto* row = new QHBoxLayout;
  row->addWidget(Output(LabelOf(
      prefix->edit(), Label(tr("Prefix :"), prefix_label_id, prefix->edit()->parentWidget()))));
  row->addWidget(prefix->edit(), 1);
  row->addSpacing(12);
  row->addWidget(Output(LabelOf(
      suffix->edit(), Label(tr("Suffix :"), suffix_label_id, suffix->edit()->parentWidget()))));
  row->addWidget(suffix->edit(), 1);
  return row;
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
  counter_prefix_->SetBuffer(f.counter_prefix);
  counter_suffix_->SetBuffer(f.counter_suffix);
  left_padding_field_->SetBuffer(ReadKeyBuffer(state_.image, kLeftPaddingField));
  timestamp_prefix_->SetBuffer(f.timestamp_prefix);
  timestamp_suffix_->SetBuffer(f.timestamp_suffix);
  epc_prefix_->SetBuffer(f.epc_prefix);
  epc_suffix_->SetBuffer(f.epc_suffix);
  timestamp_format_->SelectCode(f.timestamp.format);
  date_format_->SelectCode(f.timestamp.date);
  time_format_->SelectCode(f.timestamp.time);
  field_separator_->SelectCode(f.timestamp.separator);
  if (TimestampRuleApplies()) ApplyTimestampEnableRule();

  epc_fields_->ShowFields(v.uhf_fields);
  epc_fields_->ShowDelimiterName(v.delimiter_name);
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
  f.counter_prefix = counter_prefix_->buffer();
  f.counter_suffix = counter_suffix_->buffer();
  f.timestamp_prefix = timestamp_prefix_->buffer();
  f.timestamp_suffix = timestamp_suffix_->buffer();
  f.epc_prefix = epc_prefix_->buffer();
  f.epc_suffix = epc_suffix_->buffer();
  f.left_padding = left_padding_->SelectedCode();
  f.reset_on_uhf_power_on = uhf_power_on_->isChecked();
  f.reset_on_new_connection = new_connection_->isChecked();
  f.timestamp = {timestamp_format_->SelectedCodeOr(loaded_.output.timestamp.format),
                 date_format_->SelectedCodeOr(loaded_.output.timestamp.date),
                 time_format_->SelectedCodeOr(loaded_.output.timestamp.time),
                 field_separator_->SelectedCodeOr(loaded_.output.timestamp.separator)};

  // The display row is what is sent.
  v.uhf_fields.display_row = epc_fields_->DisplayRow();
  StoreOperationPage(v, state_);
}

OperationPage::~OperationPage() { context_.SetInterfaceChangedHook({}); }

void OperationPage::InterfaceChanged() {
  const SelectedInterface interface = state_.selected_interface;
  const int stored = static_cast<int>(state_.image.Field(kDataFormat));
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

bool OperationPage::TimestampRuleApplies() const {
  return data_format_->SelectedCode() != kDataFormatPacket;
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
      ShowMessageBox(this, QMessageBox::Warning, tr("Error"), Translated(kAllDisableMessage));
      output_sequence_[list]->SelectCode(check.select_code);
      break;
    case OutputSequenceVerdict::kSectionUsedTwice:
      output_sequence_[list]->SelectCode(check.select_code);
      ShowMessageBox(this, QMessageBox::Warning, tr("Error"), Translated(kSameSectionMessage));
      break;
  }
  shown_sequence_[list] = output_sequence_[list]->SelectedCode();
}

void OperationPage::DelimiterClicked() {
  const int opened_with = DelimiterPositionOf(state_.image.Byte(kDelimiter.offset));
  const int chosen = DelimiterDialog::Choose(opened_with, this);
  // Written at once: Cancel on the sheet keeps the delimiter chosen here.
  WriteDelimiter(chosen, state_.image);
  epc_fields_->ShowDelimiterName(ChosenDelimiterName(chosen));
}

void OperationPage::Reset() {
  const int shown_date = date_format_->SelectedCode();
  ResetOperationPage(state_);
  ShowValues(LoadOperationPage(state_, shown_date));
}

}  // namespace k470::gui
