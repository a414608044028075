#include "widgets/ok_cancel_buttons.h"

#include <QCoreApplication>
#include <QVBoxLayout>

#include "widgets/dialog_button_ids.h"
#include "widgets/named_controls.h"

namespace k470::gui {

OkCancelButtons MakeOkCancelButtons(QDialog* dialog, const QString& ok_text) {
  // Free functions have no tr(); the texts are filed under the namespace.
  const QString ok = ok_text.isEmpty() ? QCoreApplication::translate("k470::gui", "OK") : ok_text;
  OkCancelButtons buttons{
      new QPushButton(ok, dialog),
      new QPushButton(QCoreApplication::translate("k470::gui", "Cancel"), dialog), new QHBoxLayout};
  Named(buttons.ok, dialog_button_ids::kOk);
  buttons.ok->setDefault(true);
  Named(buttons.cancel, dialog_button_ids::kCancel);
  QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  buttons.row->addStretch();
  buttons.row->addWidget(buttons.ok);
  buttons.row->addWidget(buttons.cancel);
  return buttons;
}

OkCancelButtons LayOutWithOkCancel(QDialog* dialog, QLayout* fields) {
  const OkCancelButtons buttons = MakeOkCancelButtons(dialog);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(fields);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  return buttons;
}

}  // namespace k470::gui
