#include "shell/dialogs/pin_code_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <utility>

#include "link/pin_code.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {

PinCodeDialog::PinCodeDialog(k470::AppState& state, k470::SerialPort& shell_port,
                             k470::Clock& clock, PortLister list_ports, StatusTextSink set_status,
                             QWidget* parent)
    : QDialog(parent),
      port_(shell_port),
      clock_(clock),
      pin_(new QLineEdit(this)),
      chooser_(state, shell_port, std::move(list_ports), std::move(set_status), this) {
  setWindowTitle(tr("Bluetooth PIN Code"));

  auto* pin_label = new QLabel(tr("Bluetooth PIN Code :"), this);
  pin_label->setBuddy(pin_);
  pin_->setObjectName(QStringLiteral("pin_code"));
  pin_->setMaxLength(static_cast<int>(k470::kMaxPinCodeLength));
  // Letters and digits only: the PIN goes to the reader as a bare line.
  pin_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), pin_));

  auto* fields = new QGridLayout;
  fields->addWidget(pin_label, 0, 0);
  fields->addWidget(pin_, 0, 1);
  chooser_.AddToGrid(*fields, 1);
  LayOutWithOkCancel(this, fields);
}

void PinCodeDialog::accept() {
  if (!chooser_.OpenChosenPort()) return;
  // The reader takes 8-bit text; Latin-1 keeps one byte per character, so the
  // edit's 16-character limit is the line's 16-byte limit.
  const QByteArray pin = pin_->text().toLatin1();
  // The reader does not answer the PIN line, and the port is closed either
  // way; there is nothing more to tell the user.
  static_cast<void>(k470::SendPinCode(port_, clock_, pin.toStdString()));
  QDialog::accept();
}

}  // namespace k470::gui
