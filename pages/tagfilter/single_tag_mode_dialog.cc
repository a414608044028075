#include "pages/tagfilter/single_tag_mode_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>
#include <array>
#include <optional>
#include <vector>

#include "settings/tagfilter/decimal_fields.h"
#include "settings/tagfilter/epc_filter.h"
#include "settings/tagfilter/filter_dialog_view.h"
#include "settings/tagfilter/filter_enable_rule.h"
#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/partition_tables.h"
#include "settings/tagfilter/scan_settings.h"
#include "settings/tagfilter/scheme_fields.h"
#include "settings/tagfilter/single_tag_mode_ids.h"
#include "settings/tagfilter/tag_types.h"
#include "widgets/code_list.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"
#include "widgets/numeric_edit.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/translated.h"
#include "widgets/typing_limit.h"

namespace k470::gui {
namespace {

namespace ids = single_tag_mode_ids;

constexpr int kNumberDigits = 3;
constexpr int kOpeningPatternLimit = 32;

NumericEdit* Edit(const char* name, const char* spin_name, int max, QWidget* parent) {
  auto* edit = Named(new NumericEdit(kNumberDigits, RangeCorrection(0, max), parent), name);
  edit->SetSpinRange(0, max);
  Named(edit->spin(), spin_name);
  return edit;
}

class SingleTagModeDialog : public QDialog {
  Q_OBJECT

 public:
  SingleTagModeDialog(const AppState& state, QWidget* parent);

  void accept() override;

  const std::optional<SingleTagModeResult>& handed_over() const { return handed_over_; }

 private:
  // The controls in tab order: the scan rows, the Multi-TAG Count, the filter.
  QGridLayout* BuildScanRows();
  void BuildCountGroup();
  QGroupBox* BuildFilterGroup();
  void ReserveRoomForEveryScheme();
  void ConnectFilterHandlers();
  void Load();
  void ApplyScanMode();
  void LoadFilterControls();

  // What the user does.
  void DigitCountChanged();
  void PatternChanged(QLineEdit* edit);
  void TagTypeChosen();
  void FilterTypeChosen();
  void MethodClicked();

  // FilterEnableRule for what the controls show.
  FilterEnables Enables() const;
  // The TAG type and the method radios.
  void EnableMethods(const FilterEnables& on);
  // The fields the checked method compares.
  void EnableFields(const FilterEnables& on);

  // The scheme's vocabulary applied to the controls.
  void FillFilterValues(std::uint8_t header);
  void ApplySchemeLabels();
  // The digit count's two caption lines name it together.
  void NameDigitCount();
  void ApplyDigitRange(std::optional<unsigned> count);
  // "(min~max digits/characters)", the hint beside the digit count.
  QString DigitHint(int min, int max) const {
    return tr("(%1~%2 digits/characters)").arg(min).arg(max);
  }

  // Why `text` cannot stand in Pattern1 (`first`) or Pattern2 when the method
  // compares a number: not digits, or too large for the field's bits. None
  // when it can, or when the field holds characters.
  std::optional<std::string> PatternError(const QString& text, bool first) const;

  FilterType SelectedFilterType() const;
  std::optional<std::uint8_t> SelectedHeader() const;
  std::optional<Scheme> SelectedScheme() const;
  bool Filtering() const;
  FilterMethod CheckedMethod() const;
  FilterChoice Choice() const;
  void ClearTexts();

  const AppState& state_;
  std::optional<SingleTagModeResult> handed_over_;  // by the last OK
  int loaded_delay_ = 0;
  FilterChoice opened_;  // what the filter controls showed after the load
  std::optional<int> loaded_filter_value_;
  // The partition the digit count gives, and the digit range last applied.
  int partition_offset_ = 0;
  int digit_min_ = 0;
  bool uppercasing_ = false;

  QLabel* timeout_label_;
  NumericEdit* timeout_;
  QLabel* delay_label_;
  CodeList* delay_;
  QGroupBox* count_group_;
  QLabel* counter_label_;
  NumericEdit* counter_;
  QCheckBox* warn_;
  QLabel* filter_type_label_;
  CodeList* filter_type_;
  QLabel* tag_type_label_;
  CodeList* tag_type_;
  QLabel* method_label_;
  QRadioButton* by_value_;
  QRadioButton* by_first_;
  QRadioButton* by_second_;
  QLabel* filter_value_label_;
  CodeList* filter_value_;
  QLabel* digit_caption_;
  QLabel* digit_field_label_;
  QLineEdit* digit_count_;
  QLabel* digit_range_;
  QLabel* pattern1_label_;
  QLineEdit* pattern1_;
  TypingLimit* limit1_;
  QLabel* pattern2_label_;
  QLineEdit* pattern2_;
  TypingLimit* limit2_;
};

SingleTagModeDialog::SingleTagModeDialog(const AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle(tr("Single TAG Mode"));
  QGridLayout* scan = BuildScanRows();
  BuildCountGroup();
  QGroupBox* filter_group = BuildFilterGroup();
  ReserveRoomForEveryScheme();

  auto* fields = new QVBoxLayout;
  fields->addLayout(scan);
  fields->addWidget(count_group_);
  fields->addWidget(filter_group);
  LayOutWithOkCancel(this, fields);

  Load();
  ConnectFilterHandlers();
}

// Scanning Timeout and Delay Between Each Scan.
QGridLayout* SingleTagModeDialog::BuildScanRows() {
  timeout_label_ = Label(tr("Scanning Timeout (0~254 sec) :"), ids::kScanningTimeoutLabel, this);
  timeout_ = Edit(ids::kScanningTimeout, ids::kScanningTimeoutSpin, kMaxScanTimeout, this);
  delay_label_ = Label(tr("Delay Between Each Scan :"), ids::kDelayLabel, this);
  delay_ = Named(new CodeList(this), ids::kDelay);
  delay_->Fill(kScanDelayList);

  auto* scan = new QGridLayout;
  scan->addWidget(timeout_label_, 0, 0);
  scan->addLayout(EditRow(timeout_), 0, 1);
  scan->addWidget(delay_label_, 1, 0);
  scan->addWidget(delay_, 1, 1, Qt::AlignLeft);
  scan->setColumnStretch(1, 1);
  timeout_label_->setBuddy(timeout_);
  delay_label_->setBuddy(delay_);

  return scan;
}

void SingleTagModeDialog::BuildCountGroup() {
  count_group_ = Named(new QGroupBox(tr("Multi-TAG Count"), this), ids::kMultiTagCount);
  counter_label_ =
      Label(tr("Counter Limit for Unique Tag Read :"), ids::kCounterLimitLabel, count_group_);
  counter_ = Edit(ids::kCounterLimit, ids::kCounterLimitSpin, kMaxCounterLimit, count_group_);
  warn_ = Named(new QCheckBox(tr("Warn When Limit is Reached"), count_group_), ids::kWarnAtLimit);

  auto* count = new QGridLayout(count_group_);
  count->addWidget(counter_label_, 0, 0);
  count->addLayout(EditRow(counter_), 0, 1);
  count->addWidget(warn_, 1, 0, 1, 2);
  count->setColumnStretch(1, 1);
  counter_label_->setBuddy(counter_);
}

QGroupBox* SingleTagModeDialog::BuildFilterGroup() {
  auto* filter_group = Named(new QGroupBox(tr("Filter EPC"), this), ids::kFilterEpc);
  filter_type_label_ = Label(tr("Filter Type :"), ids::kFilterTypeLabel, filter_group);
  filter_type_ = Named(new CodeList(filter_group), ids::kFilterType);
  filter_type_->Fill(kFilterTypeList);
  tag_type_label_ = Label(tr("TAG Type :"), ids::kTagTypeLabel, filter_group);
  tag_type_ = Named(new CodeList(filter_group), ids::kTagType);
  method_label_ = Label(tr("Filter Method : "), ids::kFilterMethodLabel, filter_group);
  by_value_ = Named(new QRadioButton(tr("By EPC Filter Value"), filter_group), ids::kByFilterValue);
  by_first_ =
      Named(new QRadioButton(tr("By GS1 Company Prefix"), filter_group), ids::kByFirstField);
  by_second_ = Named(new QRadioButton(tr("By Item Reference"), filter_group), ids::kBySecondField);
  filter_value_label_ = Label(tr("Filter Value :"), ids::kFilterValueLabel, filter_group);
  filter_value_ = Named(new CodeList(filter_group), ids::kFilterValue);
  // The longest values run to a hundred characters: the list keeps its width
  // and the open list shows them whole.
  filter_value_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  filter_value_->setMinimumContentsLength(40);
  digit_caption_ = Label(tr("Maximum number of digits in"), ids::kDigitCaption, filter_group);
  digit_field_label_ = Label(tr("an item reference : "), ids::kDigitFieldLabel, filter_group);
  digit_count_ = Named(new QLineEdit(filter_group), ids::kDigitCount);
  digit_range_ = Label(tr("( 0~6 )"), ids::kDigitRange, filter_group);
  pattern1_label_ = Label(tr("Pattern1 :"), ids::kPattern1Label, filter_group);
  pattern1_ = Named(new QLineEdit(filter_group), ids::kPattern1);
  limit1_ = new TypingLimit(pattern1_, kOpeningPatternLimit);
  pattern2_label_ = Label(tr("Pattern2 :"), ids::kPattern2Label, filter_group);
  pattern2_ = Named(new QLineEdit(filter_group), ids::kPattern2);
  limit2_ = new TypingLimit(pattern2_, kOpeningPatternLimit);
  // A number field takes digits only, and no more than its bits hold.
  limit1_->SetRule([this](const QString& text) { return !PatternError(text, true); });
  limit2_->SetRule([this](const QString& text) { return !PatternError(text, false); });

  auto* radios = new QVBoxLayout;
  radios->setSpacing(2);
  radios->addWidget(by_value_);
  radios->addWidget(by_first_);
  radios->addWidget(by_second_);
  auto* captions = new QVBoxLayout;
  captions->setSpacing(0);
  captions->addWidget(digit_caption_);
  captions->addWidget(digit_field_label_);
  auto* digits = new QHBoxLayout;
  digits->addWidget(digit_count_);
  digits->addWidget(digit_range_);
  digits->addStretch(1);
  auto* filter = new QGridLayout(filter_group);
  filter->addWidget(filter_type_label_, 0, 0);
  filter->addWidget(filter_type_, 0, 1, Qt::AlignLeft);
  filter->addWidget(tag_type_label_, 1, 0);
  filter->addWidget(tag_type_, 1, 1, Qt::AlignLeft);
  filter->addWidget(method_label_, 2, 0, Qt::AlignTop);
  filter->addLayout(radios, 2, 1);
  filter->addWidget(filter_value_label_, 3, 0);
  filter->addWidget(filter_value_, 3, 1);
  filter->addLayout(captions, 4, 0);
  filter->addLayout(digits, 4, 1);
  filter->addWidget(pattern1_label_, 5, 0);
  filter->addWidget(pattern1_, 5, 1);
  filter->addWidget(pattern2_label_, 6, 0);
  filter->addWidget(pattern2_, 6, 1);
  filter->setColumnStretch(1, 1);
  filter_type_label_->setBuddy(filter_type_);
  tag_type_label_->setBuddy(tag_type_);
  filter_value_label_->setBuddy(filter_value_);
  pattern1_label_->setBuddy(pattern1_);
  pattern2_label_->setBuddy(pattern2_);
  NameDigitCount();

  return filter_group;
}

// Room for the longest caption of any scheme, so relabelling never moves the
// controls.
void SingleTagModeDialog::ReserveRoomForEveryScheme() {
  const QFontMetrics metrics = fontMetrics();
  int caption_width = 0;
  int label_width = 0;
  for (const TagType& type : kTagTypes) {
    caption_width = std::max(
        {caption_width, metrics.horizontalAdvance(Translated(SecondFieldCaption(type.scheme))),
         metrics.horizontalAdvance(Translated(SchemeFieldsOf(type.scheme).first_field_caption))});
    label_width = std::max(
        label_width,
        metrics.horizontalAdvance(Translated(SchemeFieldsOf(type.scheme).second_field_label)));
  }
  for (QRadioButton* radio : {by_value_, by_first_, by_second_}) {
    radio->setMinimumWidth(caption_width + 32);
  }
  digit_field_label_->setMinimumWidth(std::max(label_width, digit_caption_->sizeHint().width()));
  digit_range_->setMinimumWidth(metrics.horizontalAdvance(DigitHint(18, 24)) + 4);
  digit_count_->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("00000")) + 12);
  const int pattern_width =
      metrics.horizontalAdvance(QString(kOpeningPatternLimit, QLatin1Char('W')));
  pattern1_->setMinimumWidth(pattern_width);
  pattern2_->setMinimumWidth(pattern_width);
}

// Connected after the load: the load sets the controls as the image has them.
void SingleTagModeDialog::ConnectFilterHandlers() {
  connect(digit_count_, &QLineEdit::textChanged, this, &SingleTagModeDialog::DigitCountChanged);
  connect(pattern1_, &QLineEdit::textChanged, this, [this] { PatternChanged(pattern1_); });
  connect(pattern2_, &QLineEdit::textChanged, this, [this] { PatternChanged(pattern2_); });
  connect(tag_type_, &QComboBox::activated, this, &SingleTagModeDialog::TagTypeChosen);
  connect(filter_type_, &QComboBox::activated, this, &SingleTagModeDialog::FilterTypeChosen);
  for (QRadioButton* radio : {by_value_, by_first_, by_second_}) {
    connect(radio, &QRadioButton::clicked, this, &SingleTagModeDialog::MethodClicked);
  }
}

void SingleTagModeDialog::Load() {
  const ScanSettings scan = LoadScanSettings(state_.image);
  timeout_->SetValue(scan.timeout);
  loaded_delay_ = scan.delay;
  delay_->SelectCode(loaded_delay_);
  counter_->SetValue(scan.counter_limit);
  warn_->setChecked(scan.warn_at_limit);
  ApplyScanMode();
  LoadFilterControls();
  opened_ = Choice();
}

void SingleTagModeDialog::ApplyScanMode() {
  switch (state_.pending_scan_mode) {
    case kScanModeSingleTag:
      setWindowTitle(tr("Single TAG Mode"));
      SetEnabled({timeout_label_, timeout_}, true);
      SetEnabled({delay_label_, delay_, counter_label_, counter_, warn_, count_group_}, false);
      break;
    case kScanModeMultiTag:
      setWindowTitle(tr("Multi-TAG Mode"));
      SetEnabled({timeout_label_, timeout_}, false);
      SetEnabled({delay_label_, delay_, counter_label_, counter_, count_group_}, true);
      warn_->setEnabled(state_.beeper_on);
      break;
    default:
      break;  // any other mode: everything stays enabled
  }
}

void SingleTagModeDialog::LoadFilterControls() {
  const SettingsImage& image = state_.image;

  // The TAG Type list comes first: the method rules of GID-96 and the decoding
  // both go by the type it shows.
  const FilterDialogView view = ViewFilterDialog(image);
  std::vector<ListEntry> types;
  for (const TagType& type : view.tag_types) types.push_back({type.name, type.header});
  tag_type_->Fill(types);
  if (view.header) tag_type_->SelectCode(*view.header);
  const std::optional<std::uint8_t> header = view.header;
  // The values of the type shown; for a stored type that is not offered this
  // is SGTIN-96 whenever the first four types are enabled.
  if (header) FillFilterValues(*header);

  const LoadedFilter& loaded = view.loaded;
  const FilterChoice& choice = loaded.choice;
  filter_type_->SelectCode(static_cast<int>(choice.filter_type));

  switch (choice.method) {
    case FilterMethod::kFilterValue:
      by_value_->setChecked(true);
      break;
    case FilterMethod::kFirstField:
      by_first_->setChecked(true);
      break;
    case FilterMethod::kSecondField:
      by_second_->setChecked(true);
      break;
  }
  // A stored zero-length filter of GID-96 keeps its radio checked, though the
  // radio is not offered, so an unchanged OK stores it again.
  const FilterEnables on = Enables();
  SetEnabled({filter_type_label_, filter_type_}, on.filter_type);
  EnableMethods(on);
  EnableFields(on);

  loaded_filter_value_ = choice.filter_value;
  // A value the list lacks shows as no selection, and OK keeps it.
  if (choice.filter_value) filter_value_->SelectCode(*choice.filter_value);
  if (choice.digit_count) {
    digit_count_->setText(QString::number(*choice.digit_count));
    DigitCountChanged();
  }
  if (loaded.partition_offset) partition_offset_ = *loaded.partition_offset;
  // Without a count the range is applied as well, so the hint and the
  // pattern limits fit the scheme from the start.
  ApplyDigitRange(choice.digit_count);
  pattern1_->setText(Latin1(choice.pattern1));
  pattern2_->setText(Latin1(choice.pattern2));

  ApplySchemeLabels();

  if (!header) {
    // Without a TAG type no record can be written: switching the filter on
    // would make a leftover record active and lose what was typed.
    const QString why =
        tr("No TAG type can be chosen for the filter: enable its TAG type on the TAG Type page.");
    filter_type_->setToolTip(why);
    tag_type_->setToolTip(why);
  }
}

void SingleTagModeDialog::DigitCountChanged() {
  const unsigned count = DigitCountOf(digit_count_->text().toStdString());
  partition_offset_ = ClampPartition(static_cast<long long>(count) - digit_min_);
  ApplyDigitRange(count);
}

void SingleTagModeDialog::PatternChanged(QLineEdit* edit) {
  // Writing the text back changes it again; that round is ours.
  if (uppercasing_ || SelectedHeader() != kHeaderAdiVar) return;
  QString text = edit->text();
  if (text.isEmpty()) return;
  const QChar last = text.back();
  if (last < QLatin1Char('a') || last > QLatin1Char('z')) return;
  text.back() = last.toUpper();
  uppercasing_ = true;
  edit->setText(text);
  edit->setCursorPosition(static_cast<int>(text.size()));
  uppercasing_ = false;
}

void SingleTagModeDialog::TagTypeChosen() {
  ClearTexts();
  ApplySchemeLabels();
  ApplyDigitRange(std::nullopt);
  const std::optional<std::uint8_t> header = SelectedHeader();
  if (!header) return;
  FillFilterValues(*header);
  filter_value_->setCurrentIndex(0);
  if (*header == kHeaderGid96 && by_value_->isChecked()) {
    // GID-96 has no filter value: Pattern1 takes the manager number, and its
    // limit follows the radio.
    by_first_->setChecked(true);
    ApplyDigitRange(std::nullopt);
  }
  const FilterEnables on = Enables();
  EnableMethods(on);
  EnableFields(on);
}

void SingleTagModeDialog::FilterTypeChosen() {
  FilterEnables on = Enables();
  // A change of Filter Type offers every method again, GID-96's filter value too.
  on.by_filter_value = on.scheme;
  EnableMethods(on);
  EnableFields(on);
  ClearTexts();
  // The pattern limits and the hint follow the TAG type only while filtering.
  ApplyDigitRange(std::nullopt);
}

void SingleTagModeDialog::MethodClicked() {
  ClearTexts();
  if (by_value_->isChecked()) filter_value_->setCurrentIndex(0);
  // A method changes the fields compared, not the methods offered.
  EnableFields(Enables());
  ApplyDigitRange(std::nullopt);
}

FilterEnables SingleTagModeDialog::Enables() const {
  return FilterEnableRule(SelectedFilterType(), SelectedHeader(), CheckedMethod());
}

void SingleTagModeDialog::EnableMethods(const FilterEnables& on) {
  SetEnabled({tag_type_label_, tag_type_, method_label_, by_first_, by_second_}, on.scheme);
  by_value_->setEnabled(on.by_filter_value);
}

void SingleTagModeDialog::EnableFields(const FilterEnables& on) {
  SetEnabled({filter_value_label_, filter_value_}, on.filter_value);
  SetEnabled({pattern1_label_, pattern1_}, on.pattern1);
  SetEnabled(
      {digit_caption_, digit_field_label_, digit_count_, digit_range_, pattern2_label_, pattern2_},
      on.second_field);
}

void SingleTagModeDialog::FillFilterValues(std::uint8_t header) {
  const std::vector<FilterValueEntry> values = FilterValueEntries(header);
  std::vector<ListEntry> entries;
  for (const FilterValueEntry& value : values) entries.push_back({value.text, value.value});
  filter_value_->Fill(entries);
  filter_value_->view()->setMinimumWidth(filter_value_->view()->sizeHintForColumn(0) + 24);
}

void SingleTagModeDialog::ApplySchemeLabels() {
  const std::optional<Scheme> scheme = SelectedScheme();
  if (!scheme) return;  // no type offered: the captions stay as the dialog made them
  const SchemeFields& fields = SchemeFieldsOf(*scheme);
  digit_field_label_->setText(Translated(fields.second_field_label));
  NameDigitCount();
  by_second_->setText(Translated(MethodCaption(FilterMethod::kSecondField, scheme)));
  by_first_->setText(Translated(MethodCaption(FilterMethod::kFirstField, scheme)));
}

void SingleTagModeDialog::NameDigitCount() {
  digit_count_->setAccessibleName(digit_caption_->text() + QLatin1Char(' ') +
                                  digit_field_label_->text().trimmed());
}

void SingleTagModeDialog::ApplyDigitRange(std::optional<unsigned> count) {
  const DigitRange range =
      DigitRangeFor(Filtering(), SelectedScheme(), CheckedMethod(), count, partition_offset_);
  digit_min_ = range.min_digits;
  digit_range_->setText(DigitHint(range.min_digits, range.max_digits));
  if (range.pattern1_limit) limit1_->SetLimit(*range.pattern1_limit);
  if (range.pattern2_limit) limit2_->SetLimit(*range.pattern2_limit);
}

std::optional<std::string> SingleTagModeDialog::PatternError(const QString& text,
                                                             bool first) const {
  const std::optional<Scheme> scheme = SelectedScheme();
  if (!scheme || !Filtering()) return std::nullopt;
  FilterChoice choice = Choice();
  std::string& pattern = first ? choice.pattern1 : choice.pattern2;
  pattern = text.toLatin1().toStdString();
  // An empty Pattern2 compares what Pattern1 does.
  if (!first && pattern.empty()) return std::nullopt;
  const std::optional<unsigned> bits = DecimalFieldBits(*scheme, choice);
  if (!bits) return std::nullopt;
  return DecimalPatternError(pattern, *bits);
}

FilterType SingleTagModeDialog::SelectedFilterType() const {
  const int type = filter_type_->SelectedCode();
  return type == kNoCode ? FilterType::kNoSelection : static_cast<FilterType>(type);
}

std::optional<std::uint8_t> SingleTagModeDialog::SelectedHeader() const {
  const int code = tag_type_->SelectedCode();
  if (code == kNoCode) return std::nullopt;
  return static_cast<std::uint8_t>(code);
}

std::optional<Scheme> SingleTagModeDialog::SelectedScheme() const {
  const std::optional<std::uint8_t> header = SelectedHeader();
  return header ? SchemeOfHeader(*header) : std::nullopt;
}

bool SingleTagModeDialog::Filtering() const {
  const FilterType type = SelectedFilterType();
  return type == FilterType::kIncludeEpc || type == FilterType::kExcludeEpc;
}

FilterMethod SingleTagModeDialog::CheckedMethod() const {
  if (by_value_->isChecked()) return FilterMethod::kFilterValue;
  if (by_second_->isChecked()) return FilterMethod::kSecondField;
  return FilterMethod::kFirstField;
}

FilterChoice SingleTagModeDialog::Choice() const {
  FilterChoice choice;
  choice.filter_type = SelectedFilterType();
  choice.method = CheckedMethod();
  choice.header = SelectedHeader();
  const int value = filter_value_->SelectedCode();
  choice.filter_value = value == kNoCode ? loaded_filter_value_ : value;
  choice.pattern1 = pattern1_->text().toLatin1().toStdString();
  choice.pattern2 = pattern2_->text().toLatin1().toStdString();
  const std::string digits = digit_count_->text().toLatin1().toStdString();
  if (!digits.empty()) choice.digit_count = DigitCountOf(digits);
  return choice;
}

void SingleTagModeDialog::ClearTexts() {
  pattern1_->clear();
  pattern2_->clear();
  digit_count_->clear();
}

void SingleTagModeDialog::accept() {
  // The scan timing goes even when a pattern below stops the OK.
  handed_over_ = SingleTagModeResult{{timeout_->Value(), delay_->SelectedCodeOr(loaded_delay_),
                                      counter_->Value(), warn_->isChecked()},
                                     std::nullopt};
  // A digit count changed after the patterns were typed can leave a number
  // too large for its field: say so rather than store another number.
  for (QLineEdit* edit : {pattern1_, pattern2_}) {
    if (!edit->isEnabled()) continue;
    if (const auto error = PatternError(edit->text(), edit == pattern1_)) {
      const QString name = edit == pattern1_ ? tr("Pattern1") : tr("Pattern2");
      ShowMessageBox(
          this, QMessageBox::Warning, tr("Error"),
          name + QStringLiteral(" ") + QString::fromStdString(*error) + QStringLiteral("."));
      edit->setFocus();
      return;
    }
  }
  // Without a TAG type the filter stays as it was.
  if (SelectedHeader()) handed_over_->filter = {opened_, Choice()};
  QDialog::accept();
}

}  // namespace

std::optional<SingleTagModeResult> OpenSingleTagModeDialog(const AppState& state, QWidget* parent) {
  SingleTagModeDialog dialog(state, parent);
  ExecDialog(dialog);
  return dialog.handed_over();
}

}  // namespace k470::gui

#include "single_tag_mode_dialog.moc"
