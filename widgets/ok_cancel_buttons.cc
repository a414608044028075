#include "widgets/ok_cancel_buttons.h"

#include <QVBoxLayout>

namespace k470::gui {

OkCancelButtons MakeOkCancelButtons(QDialog* dialog, const QString& ok_text) {
  OkCancelButtons buttons{new QPushButton(ok_text, dialog),
                          new QPushButton(QStringLiteral("Cancel"), dialog), new QHBoxLayout};
  buttons.ok->setObjectName(QStringLiteral("1"));
  buttons.ok->setDefault(true);
  buttons.cancel->setObjectName(QStringLiteral("2"));
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
