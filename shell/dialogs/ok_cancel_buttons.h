// The OK and Cancel buttons of the program's dialogs: right-aligned in a row,
// named by their dialog ids ("1" and "2"), OK the default, wired to accept()
// and reject().
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

namespace k470::gui {

struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* row;  // for the dialog's layout
};

OkCancelButtons MakeOkCancelButtons(QDialog* dialog, const QString& ok_text = QStringLiteral("OK"));

}  // namespace k470::gui
