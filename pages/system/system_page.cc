#include "pages/system/system_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "core/defaults.h"
#include "pages/system/keyboard_interface_dialog.h"
#include "pages/system/serial_interface_dialog.h"
#include "settings/system/interface_selection.h"
#include "settings/system/system_page_ids.h"
#include "widgets/code_list.h"
#include "widgets/dialog_picture.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"
#include "widgets/numeric_edit.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

namespace ids = system_page_ids;

constexpr int kNoteHeight = 48;  // room above the groups for the painted note
constexpr QPoint kNoteAt(48, 34);
constexpr char kNote[] =
    QT_TRANSLATE_NOOP("k470::gui::SystemPage", "USB VCOM is always available.");

QFont NoteFont(QFont font) {
  font.setPixelSize(16);
  font.setWeight(QFont::Normal);
  return font;
}
constexpr int kTimeoutDigits = 3;

// A numeric edit with its spin buttons, both named.
NumericEdit* Edit(int edit_id, int spin_id, int min, int max, QWidget* parent) {
  auto* edit = Named(new NumericEdit(kTimeoutDigits, RangeCorrection(min, max), parent), edit_id);
  edit->SetSpinRange(min, max);
  edit->spin()->setObjectName(QString::number(spin_id));
  return edit;
}

}  // namespace

SystemPage::SystemPage(AppState& state, SheetContext& context, QWidget* parent)
    : SettingsPage(parent), state_(state), context_(context) {
  // Made in tab order: the left column, the right column, Reset.
  QGroupBox* interface_group = BuildInterfaceGroup();
  QGroupBox* indicator_group = BuildIndicatorGroup();
  QGroupBox* timeout_group = BuildTimeoutGroup();
  QGroupBox* event_group = BuildEventGroup();
  QGroupBox* power_group = BuildPowerGroup();
  auto* reset = Named(new QPushButton(tr("Reset"), this), ids::kReset);
  connect(reset, &QPushButton::clicked, this, &SystemPage::Reset);

  auto* left = new QVBoxLayout;
  auto* note_space = new QSpacerItem(0, kNoteHeight, QSizePolicy::Minimum, QSizePolicy::Fixed);
  left->addSpacerItem(note_space);
  left->addWidget(interface_group);
  left->addWidget(indicator_group);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(timeout_group);
  right->addWidget(event_group);
  right->addWidget(power_group);
  right->addStretch(1);
  auto* reset_row = new QHBoxLayout;
  reset_row->addStretch(1);
  reset_row->addWidget(reset);
  right->addLayout(reset_row);
  auto* columns = new QHBoxLayout(this);
  columns->addLayout(left);
  columns->addLayout(right, 1);
  // The left column is at least as wide as the painted note, whatever the
  // font: a wider one would otherwise write it over the right column.
  const int note_width = QFontMetrics(NoteFont(font())).horizontalAdvance(tr(kNote));
  note_space->changeSize(kNoteAt.x() - columns->contentsMargins().left() + note_width, kNoteHeight,
                         QSizePolicy::Minimum, QSizePolicy::Fixed);

  LoadSystemPage();
}

QGroupBox* SystemPage::BuildInterfaceGroup() {
  auto* interface_group = new QGroupBox(tr("Interface"), this);
  auto* interface_grid = new QGridLayout(interface_group);
  for (int i = 0; i < 4; ++i) {
    const auto interface = static_cast<SelectedInterface>(i);
    interfaces_[i] = Named(new QRadioButton(Translated(kInterfaceNames[i]), interface_group),
                           ids::kInterfaceRadios[i]);
    advanced_[i] =
        Named(new QPushButton(tr("Advanced"), interface_group), ids::kAdvancedButtons[i]);
    interface_grid->addWidget(interfaces_[i], i, 0);
    interface_grid->addWidget(advanced_[i], i, 1);
    connect(interfaces_[i], &QRadioButton::clicked, this,
            [this, interface] { InterfaceClicked(interface); });
    connect(advanced_[i], &QPushButton::clicked, this,
            [this, interface] { OpenInterfaceDialog(interface); });
  }
  return interface_group;
}

QGroupBox* SystemPage::BuildIndicatorGroup() {
  auto* indicator_group = new QGroupBox(tr("System Indicator"), this);
  low_battery_ =
      Named(new QCheckBox(tr("Low Battery Alert"), indicator_group), ids::kLowBatteryAlert);
  led_ = Named(new QCheckBox(tr("Good Read LED"), indicator_group), ids::kGoodReadLed);
  vibrator_ =
      Named(new QCheckBox(tr("Good Read Vibrator"), indicator_group), ids::kGoodReadVibrator);
  beeper_ = Named(new QCheckBox(tr("System Beeper"), indicator_group), ids::kSystemBeeper);
  good_read_beep_ = Named(new QCheckBox(tr("Good Read Beep"), indicator_group), ids::kGoodReadBeep);
  command_beep_ =
      Named(new QCheckBox(tr("Command Indicating Beep"), indicator_group), ids::kCommandBeep);
  led_duration_label_ =
      Label(tr("Duration (1~254 * 10 ms) :"), ids::kLedDurationLabel, indicator_group);
  led_duration_ =
      Edit(ids::kLedDuration, ids::kLedDurationSpin, kMinDuration, kMaxDuration, indicator_group);
  vibrator_duration_label_ =
      Label(tr("Duration (1~254 * 100 ms):"), ids::kVibratorDurationLabel, indicator_group);
  vibrator_duration_ = Edit(ids::kVibratorDuration, ids::kVibratorDurationSpin, kMinDuration,
                            kMaxDuration, indicator_group);
  volume_label_ = Label(tr("Volume :"), ids::kVolumeLabel, indicator_group);
  volume_ = List(VolumeList(), ids::kVolume, indicator_group);
  frequency_label_ = Label(tr("Frequency :"), ids::kFrequencyLabel, indicator_group);
  frequency_ = List(BeepFrequencyList(), ids::kFrequency, indicator_group);
  beep_duration_label_ = Label(tr("Duration :"), ids::kBeepDurationLabel, indicator_group);
  beep_duration_ = List(BeepDurationList(), ids::kBeepDuration, indicator_group);

  auto* indicator_grid = new QGridLayout(indicator_group);
  indicator_grid->addWidget(low_battery_, 0, 0, 1, 2);
  indicator_grid->addWidget(led_, 1, 0, 1, 2);
  indicator_grid->addWidget(led_duration_label_, 2, 0);
  indicator_grid->addLayout(EditRow(led_duration_), 2, 1);
  indicator_grid->addWidget(vibrator_, 3, 0, 1, 2);
  indicator_grid->addWidget(vibrator_duration_label_, 4, 0);
  indicator_grid->addLayout(EditRow(vibrator_duration_), 4, 1);
  indicator_grid->addWidget(beeper_, 5, 0, 1, 2);
  indicator_grid->addWidget(volume_label_, 6, 0);
  indicator_grid->addWidget(volume_, 6, 1);
  indicator_grid->addWidget(good_read_beep_, 7, 0, 1, 2);
  indicator_grid->addWidget(frequency_label_, 8, 0);
  indicator_grid->addWidget(frequency_, 8, 1);
  indicator_grid->addWidget(beep_duration_label_, 9, 0);
  indicator_grid->addWidget(beep_duration_, 9, 1);
  indicator_grid->addWidget(command_beep_, 10, 0, 1, 2);
  led_duration_label_->setBuddy(led_duration_);
  vibrator_duration_label_->setBuddy(vibrator_duration_);
  volume_label_->setBuddy(volume_);
  frequency_label_->setBuddy(frequency_);
  beep_duration_label_->setBuddy(beep_duration_);
  // Line by line, as the group reads: each setting after the box that switches it.
  TabOrder({low_battery_, led_, led_duration_, vibrator_, vibrator_duration_, beeper_, volume_,
            good_read_beep_, frequency_, beep_duration_, command_beep_});
  for (QCheckBox* box : {led_, vibrator_, beeper_, good_read_beep_}) {
    connect(box, &QCheckBox::clicked, this, &SystemPage::UpdateIndicatorControls);
  }
  connect(beeper_, &QCheckBox::clicked, this, [this](bool on) { state_.beeper_on = on; });
  return indicator_group;
}

QGroupBox* SystemPage::BuildTimeoutGroup() {
  auto* timeout_group = new QGroupBox(tr("Reader Timeout"), this);
  power_saving_ =
      Edit(ids::kPowerSavingTimeout, ids::kPowerSavingTimeoutSpin, 0, kMaxTimeout, timeout_group);
  shutdown_ = Edit(ids::kShutdownTimeout, ids::kShutdownTimeoutSpin, 0, kMaxTimeout, timeout_group);
  auto* timeout_grid = new QGridLayout(timeout_group);
  timeout_grid->addWidget(
      LabelOf(power_saving_, new QLabel(tr("Timeout to Power Saving (0~254) :"), timeout_group)), 0,
      0);
  timeout_grid->addLayout(EditRow(power_saving_, new QLabel(tr("minute"), timeout_group)), 0, 1);
  timeout_grid->addWidget(
      LabelOf(shutdown_, new QLabel(tr("Timeout to Shutdown (0~254) :"), timeout_group)), 1, 0);
  timeout_grid->addLayout(EditRow(shutdown_, new QLabel(tr("minute"), timeout_group)), 1, 1);
  return timeout_group;
}

QGroupBox* SystemPage::BuildEventGroup() {
  auto* event_group = new QGroupBox(tr("Output String for Event Monitoring"), this);
  auto* event_grid = new QGridLayout(event_group);
  event_grid->addWidget(new QLabel(tr("Action"), event_group), 0, 1);
  event_grid->addWidget(new QLabel(tr("Output String"), event_group), 0, 2);
  event_grid->addWidget(new QLabel(tr("CR"), event_group), 0, 3);
  for (int row = 0; row < kEventStringCount; ++row) {
    const int n = row + 1;
    actions_[row] = List(EventActionList(), ids::kStringActions[row], event_group);
    strings_[row] = Named(new QLineEdit(event_group), ids::kStringTexts[row]);
    crs_[row] = Named(new QCheckBox(event_group), ids::kStringCrs[row]);
    event_grid->addWidget(new QLabel(tr("String %1 :").arg(n), event_group), n, 0);
    event_grid->addWidget(actions_[row], n, 1);
    event_grid->addWidget(strings_[row], n, 2);
    event_grid->addWidget(crs_[row], n, 3);
    // The row's label and the column heads make their names.
    actions_[row]->setAccessibleName(tr("String %1 action").arg(n));
    strings_[row]->setAccessibleName(tr("String %1 output string").arg(n));
    crs_[row]->setAccessibleName(tr("String %1 CR").arg(n));
    connect(crs_[row], &QCheckBox::clicked, this, [this, row] { CrClicked(row); });
  }
  return event_group;
}

QGroupBox* SystemPage::BuildPowerGroup() {
  auto* power_group = new QGroupBox(tr("RFID Power"), this);
  power_level_ = List(PowerLevelList(), ids::kRfidPower, power_group);
  auto* power_row = new QHBoxLayout(power_group);
  power_row->addWidget(LabelOf(power_level_, new QLabel(tr("Power Lavel :"), power_group)));
  power_row->addWidget(power_level_);
  power_row->addWidget(new QLabel(tr("( mix.: 0, max.: 3)"), power_group));
  power_row->addStretch(1);
  return power_group;
}

void SystemPage::LoadSystemPage() {
  DeriveSelectedInterface(state_);
  // A code none of the radios stands for is kept until the user clicks one;
  // the interface-dependent lists meanwhile follow the program's interface.
  interface_chosen_ = StoredInterface(state_.image).has_value();
  ShowSelectedInterface();

  const SystemFields f = LoadSystemFields(state_.image);
  loaded_ = f;
  low_battery_->setChecked(f.low_battery_alert);
  led_->setChecked(f.good_read_led);
  led_duration_->SetValue(static_cast<int>(f.led_duration));
  vibrator_->setChecked(f.good_read_vibrator);
  vibrator_duration_->SetValue(static_cast<int>(f.vibrator_duration));
  beeper_->setChecked(f.beeper_on);
  frequency_->SelectCode(f.frequency);
  beep_duration_->SelectCode(f.beep_duration);
  volume_->SelectCode(f.volume);
  state_.beeper_on = f.beeper_on;
  good_read_beep_->setChecked(f.good_read_beep);
  // The reader's command beep is not offered: loaded, then hidden for good.
  command_beep_->setChecked(f.command_beep);
  command_beep_->hide();
  UpdateIndicatorControls();

  shutdown_->SetValue(static_cast<int>(f.shutdown_timeout));
  power_saving_->SetValue(static_cast<int>(f.power_saving_timeout));
  for (int row = 0; row < kEventStringCount; ++row) {
    actions_[row]->SelectCode(f.actions[row]);
    const EventString& string = f.strings[row];
    crs_[row]->setChecked(string.cr);
    strings_[row]->setMaxLength(static_cast<int>(EventTextLimit(string.cr)));
    strings_[row]->setText(
        QString::fromLatin1(string.text.data(), static_cast<qsizetype>(string.text.size())));
  }
  power_level_->SelectCode(f.power_level);
}

void SystemPage::Apply() {
  SystemFields f;
  f.shutdown_timeout = static_cast<unsigned>(shutdown_->Value());
  f.power_saving_timeout = static_cast<unsigned>(power_saving_->Value());
  f.low_battery_alert = low_battery_->isChecked();
  f.good_read_led = led_->isChecked();
  f.led_duration = static_cast<unsigned>(led_duration_->Value());
  f.good_read_vibrator = vibrator_->isChecked();
  f.vibrator_duration = static_cast<unsigned>(vibrator_duration_->Value());
  f.beeper_on = beeper_->isChecked();
  f.volume = volume_->SelectedCodeOr(loaded_.volume);
  f.frequency = frequency_->SelectedCodeOr(loaded_.frequency);
  f.beep_duration = beep_duration_->SelectedCodeOr(loaded_.beep_duration);
  f.good_read_beep = good_read_beep_->isChecked();
  f.command_beep = command_beep_->isChecked();
  for (int row = 0; row < kEventStringCount; ++row) {
    f.actions[row] = actions_[row]->SelectedCodeOr(loaded_.actions[row]);
    f.strings[row] = {strings_[row]->text().toLatin1().toStdString(), crs_[row]->isChecked()};
  }
  f.power_level = power_level_->SelectedCodeOr(loaded_.power_level);
  StoreSystemFields(f, interface_chosen_ ? std::optional(state_.selected_interface) : std::nullopt,
                    state_.image);
}

void SystemPage::paintEvent(QPaintEvent* event) {
  SettingsPage::paintEvent(event);
  QPainter painter(this);
  PaintDialogPicture(painter, QString::fromLatin1(kUsbVcomPicture), QPoint(12, 27));
  const QFont note = NoteFont(font());
  painter.setFont(note);
  painter.drawText(kNoteAt + QPoint(0, QFontMetrics(note).ascent()), tr(kNote));
}

void SystemPage::InterfaceClicked(SelectedInterface interface) {
  state_.selected_interface = interface;
  interface_chosen_ = true;
  ShowSelectedInterface();
  // Choosing M912 HID must leave a keyboard type in byte 18, at once: the
  // VCOM marker there would make the image read as M912 VCOM.
  if (interface == SelectedInterface::kM912Hid) EnsureM912KeyboardType(state_.image);
  context_.InterfaceChanged();
}

void SystemPage::OpenInterfaceDialog(SelectedInterface interface) {
  if (interface == SelectedInterface::kBluetoothHid || interface == SelectedInterface::kM912Hid) {
    KeyboardInterfaceDialog dialog(state_, interface, this);
    ExecDialog(dialog);
  } else {
    SerialInterfaceDialog dialog(state_, interface, this);
    ExecDialog(dialog);
  }
}

void SystemPage::ShowSelectedInterface() {
  const auto selected = static_cast<std::size_t>(state_.selected_interface);
  for (std::size_t i = 0; i < interfaces_.size(); ++i) {
    const bool on = interface_chosen_ && i == selected;
    // Exclusive radios cannot all be unchecked; an unknown code shows none.
    interfaces_[i]->setAutoExclusive(false);
    interfaces_[i]->setChecked(on);
    interfaces_[i]->setAutoExclusive(true);
    advanced_[i]->setEnabled(on);
  }
}

void SystemPage::UpdateIndicatorControls() {
  for (QWidget* w :
       {static_cast<QWidget*>(led_duration_label_), static_cast<QWidget*>(led_duration_)}) {
    w->setEnabled(led_->isChecked());
  }
  for (QWidget* w : {static_cast<QWidget*>(vibrator_duration_label_),
                     static_cast<QWidget*>(vibrator_duration_)}) {
    w->setEnabled(vibrator_->isChecked());
  }
  const bool beeper = beeper_->isChecked();
  for (QWidget* w :
       {static_cast<QWidget*>(volume_label_), static_cast<QWidget*>(volume_),
        static_cast<QWidget*>(good_read_beep_), static_cast<QWidget*>(command_beep_)}) {
    w->setEnabled(beeper);
  }
  const bool tone = beeper && good_read_beep_->isChecked();
  for (QWidget* w :
       {static_cast<QWidget*>(frequency_label_), static_cast<QWidget*>(frequency_),
        static_cast<QWidget*>(beep_duration_label_), static_cast<QWidget*>(beep_duration_)}) {
    w->setEnabled(tone);
  }
}

void SystemPage::CrClicked(int row) {
  // The CR takes one of the ten bytes; a longer text loses its tenth character.
  strings_[row]->setMaxLength(static_cast<int>(EventTextLimit(crs_[row]->isChecked())));
}

void SystemPage::Reset() {
  ApplySystemDefaults(state_);
  LoadSystemPage();
}

}  // namespace k470::gui
