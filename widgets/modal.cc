#include "widgets/modal.h"

#include <QDialog>

namespace k470::gui {
namespace {

// The one piece of process-wide state in the GUI: a test seam, empty in the program.
struct Handlers {
  MessageBoxHandler message_box;
  DialogHandler dialog;
};

Handlers& Installed() {
  static Handlers handlers;
  return handlers;
}

}  // namespace

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons) {
  if (Installed().message_box) {
    return Installed().message_box({parent, icon, caption, text, buttons});
  }
  QMessageBox box(icon, caption, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

int ExecDialog(QDialog& dialog) {
  if (Installed().dialog) return Installed().dialog(dialog);
  return dialog.exec();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  Installed().message_box = std::move(handler);
}

void SetDialogHandler(DialogHandler handler) { Installed().dialog = std::move(handler); }

}  // namespace k470::gui
