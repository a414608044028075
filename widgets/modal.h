// Every message box and modal dialog of the program goes through these two
// functions. Tests install a handler that answers them (and may fill in a
// dialog's controls first), so nothing waits for a person and no timer races.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace k470::gui {

struct MessageBoxRequest {
  QWidget* parent = nullptr;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString caption;
  QString text;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using MessageBoxHandler = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;
// Called with the dialog fully built, instead of exec(); returns the dialog's result code.
using DialogHandler = std::function<int(QDialog&)>;

// Shows a message box (or asks the installed handler) and returns the button pressed.
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Runs the dialog modally (or hands it to the installed handler) and returns its result.
int ExecDialog(QDialog& dialog);

// Replace the real message boxes and dialogs; an empty handler restores them.
void SetMessageBoxHandler(MessageBoxHandler handler);
void SetDialogHandler(DialogHandler handler);

}  // namespace k470::gui
