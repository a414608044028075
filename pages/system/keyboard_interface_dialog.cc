#include "pages/system/keyboard_interface_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "pages/system/interface_text_edit.h"
#include "settings/system/keyboard_interface_dialog_ids.h"
#include "widgets/code_list.h"
#include "widgets/named_controls.h"
#include "widgets/numeric_edit.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {
namespace {

namespace ids = keyboard_interface_dialog_ids;

constexpr int kDelayDigits = 3;

}  // namespace

KeyboardInterfaceDialog::KeyboardInterfaceDialog(AppState& state, SelectedInterface interface,
                                                 QWidget* parent)
    : QDialog(parent),
      state_(state),
      interface_(interface),
      loaded_(OpenInterfaceFields(interface, state.image)) {
  const bool m912 = interface_ == SelectedInterface::kM912Hid;
  setWindowTitle(m912 ? tr("M912 HID") : tr("Bluetooth HID"));

  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  const struct {
    const char* label;
    int id;
    std::span<const ListEntry> entries;
    int code;
  } lists[] = {
      {QT_TR_NOOP("Keyboard Type :"), ids::kKeyboardType, KeyboardTypeList(interface_),
       loaded_.keyboard_type},
      {QT_TR_NOOP("Caps Lock State :"), ids::kCapsLockState, CapsLockStateList(),
       loaded_.caps_lock_state},
      {QT_TR_NOOP("Caps Lock Type :"), ids::kCapsLockType, CapsLockTypeList(),
       loaded_.caps_lock_type},
      {QT_TR_NOOP("Character Transmit Mode :"), ids::kCharacterTransmitMode, TransmitModeList(),
       loaded_.transmit_mode},
      {QT_TR_NOOP("Keyboard Layout :"), ids::kKeyboardLayout, KeyboardLayoutList(),
       loaded_.keyboard_layout},
      {QT_TR_NOOP("Alphabets Transmission :"), ids::kAlphabetsTransmission, AlphabetsList(),
       loaded_.alphabets},
      {QT_TR_NOOP("Digits Transmission :"), ids::kDigitsTransmission, DigitsTransmissionList(),
       loaded_.digits_transmission},
      {QT_TR_NOOP("Digits Position :"), ids::kDigitsPosition, DigitsPositionList(),
       loaded_.digits_position},
  };
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    auto* list = Named(new CodeList(group), lists[i].id);
    list->Fill(lists[i].entries);
    list->SelectCode(lists[i].code);
    grid->addWidget(LabelOf(list, new QLabel(tr(lists[i].label), group)), static_cast<int>(i), 0);
    grid->addWidget(list, static_cast<int>(i), 1);
    lists_[i] = list;
  }
  delay_ = Named(new NumericEdit(kDelayDigits, RangeCorrection(0, kMaxInterCharacterDelay), group),
                 ids::kInterCharacterDelay);
  Named(delay_->spin(), ids::kInterCharacterDelaySpin);
  delay_->SetSpinRange(0, kMaxInterCharacterDelay);
  delay_->SetValue(static_cast<int>(loaded_.delay));
  auto* delay_row = new QHBoxLayout;
  delay_row->setSpacing(0);
  delay_row->addWidget(delay_);
  delay_row->addWidget(delay_->spin());
  delay_row->addStretch(1);
  const int delay_at = static_cast<int>(lists_.size());
  grid->addWidget(LabelOf(delay_, new QLabel(tr("Inter-Character Delay (0~254 ms) :"), group)),
                  delay_at, 0);
  grid->addLayout(delay_row, delay_at, 1);
  // Loaded and stored again, never shown.
  kanji_ = Box(tr("Kanji Transmission"), ids::kKanji, group);
  kanji_->setChecked(loaded_.kanji);
  kanji_->hide();

  discoverable_ = Box(tr("Discoverable"), ids::kDiscoverable, this);
  power_saving_ = Box(tr("BT Power Saving"), ids::kBtPowerSaving, this);
  authentication_ = Box(tr("Authentication"), ids::kAuthentication, this);
  ssp_mode_ = Box(tr("SSP Mode"), ids::kSspMode, this);
  discoverable_->setChecked(loaded_.discoverable);
  power_saving_->setChecked(loaded_.power_saving);
  authentication_->setChecked(loaded_.authentication);
  ssp_mode_->setChecked(loaded_.ssp_mode);
  auto* text_label = Named(new QLabel(m912 ? tr("M912 S/N :") : tr("PIN Code :"), this),
                           ids::kPinOrSerialNumberLabel);
  text_ = Named(new InterfaceTextEdit(interface_, loaded_.text, this), ids::kPinOrSerialNumber);
  text_label->setBuddy(text_);
  if (m912) {
    // An M912 receiver is not discovered over Bluetooth and has no pairing options.
    discoverable_->setEnabled(false);
    authentication_->hide();
    ssp_mode_->hide();
  }

  QVBoxLayout* fields = BluetoothBoxesAndText(
      {discoverable_, power_saving_, authentication_, ssp_mode_}, text_label, text_);
  fields->insertWidget(0, group);
  LayOutWithOkCancel(this, fields);
}

void KeyboardInterfaceDialog::accept() {
  InterfaceFields f = loaded_;
  f.keyboard_type = lists_[0]->SelectedCodeOr(loaded_.keyboard_type);
  f.caps_lock_state = lists_[1]->SelectedCodeOr(loaded_.caps_lock_state);
  f.caps_lock_type = lists_[2]->SelectedCodeOr(loaded_.caps_lock_type);
  f.transmit_mode = lists_[3]->SelectedCodeOr(loaded_.transmit_mode);
  f.keyboard_layout = lists_[4]->SelectedCodeOr(loaded_.keyboard_layout);
  f.alphabets = lists_[5]->SelectedCodeOr(loaded_.alphabets);
  f.digits_transmission = lists_[6]->SelectedCodeOr(loaded_.digits_transmission);
  f.digits_position = lists_[7]->SelectedCodeOr(loaded_.digits_position);
  f.delay = static_cast<unsigned>(delay_->Value());
  f.kanji = kanji_->isChecked();
  f.discoverable = discoverable_->isChecked();
  f.power_saving = power_saving_->isChecked();
  f.authentication = authentication_->isChecked();
  f.ssp_mode = ssp_mode_->isChecked();
  f.text = text_->Stored();
  StoreKeyboardInterface(interface_, f, state_.image);
  QDialog::accept();
}

}  // namespace k470::gui
