#include "pages/system/serial_interface_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "pages/system/interface_text_edit.h"
#include "settings/system/serial_interface_dialog_ids.h"
#include "widgets/named_controls.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {
namespace {

namespace ids = serial_interface_dialog_ids;

}  // namespace

SerialInterfaceDialog::SerialInterfaceDialog(AppState& state, SelectedInterface interface,
                                             QWidget* parent)
    : QDialog(parent), state_(state), interface_(interface) {
  const InterfaceFields f = OpenInterfaceFields(interface_, state_.image);
  const bool m912 = interface_ == SelectedInterface::kM912Vcom;
  setWindowTitle(m912 ? tr("M912 VCOM") : tr("Bluetooth SPP Slave"));

  discoverable_ = Box(tr("Discoverable"), ids::kDiscoverable, this);
  power_saving_ = Box(tr("BT Power Saving"), ids::kBtPowerSaving, this);
  authentication_ = Box(tr("Authentication"), ids::kAuthentication, this);
  ssp_mode_ = Box(tr("SSP Mode"), ids::kSspMode, this);
  discoverable_->setChecked(f.discoverable);
  power_saving_->setChecked(f.power_saving);
  authentication_->setChecked(f.authentication);
  ssp_mode_->setChecked(f.ssp_mode);
  auto* text_label = Named(new QLabel(m912 ? tr("M912 S/N :") : tr("PIN Code :"), this),
                           ids::kPinOrSerialNumberLabel);
  text_ = Named(new InterfaceTextEdit(interface_, f.text, this), ids::kPinOrSerialNumber);
  text_label->setBuddy(text_);
  if (m912) {
    // Disabled and hidden boxes keep, and store, the state they were loaded with.
    authentication_->setEnabled(false);
    discoverable_->setEnabled(false);
    authentication_->hide();
    ssp_mode_->hide();
  }

  LayOutWithOkCancel(
      this, BluetoothBoxesAndText({discoverable_, power_saving_, authentication_, ssp_mode_},
                                  text_label, text_));
}

void SerialInterfaceDialog::accept() {
  InterfaceFields f = OpenInterfaceFields(interface_, state_.image);
  f.authentication = authentication_->isChecked();
  f.discoverable = discoverable_->isChecked();
  f.power_saving = power_saving_->isChecked();
  f.ssp_mode = ssp_mode_->isChecked();
  f.text = text_->Stored();
  StoreSerialInterface(interface_, f, state_.image);
  QDialog::accept();
}

}  // namespace k470::gui
