// The OK and Cancel buttons of the program's dialogs: right-aligned in a row,
// named by their dialog ids ("1" and "2"), OK the default, wired to accept()
// and reject().
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QString>

namespace k470::gui {

struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* row;  // for the dialog's layout
};

// `ok_text` replaces "OK" (translated) where a dialog words it otherwise.
OkCancelButtons MakeOkCancelButtons(QDialog* dialog, const QString& ok_text = QString());

// Lays out a small dialog of fixed size: `fields` above the OK/Cancel row.
OkCancelButtons LayOutWithOkCancel(QDialog* dialog, QLayout* fields);

}  // namespace k470::gui
