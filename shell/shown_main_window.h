// For the Qt plugins that look at the running program from inside it (the
// screenshot and drive plugins): its main window, once shown.
#pragma once

#include <QApplication>
#include <QMainWindow>

namespace k470::gui {

inline QMainWindow* ShownMainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<QMainWindow*>(widget);
    if (window != nullptr && window->isVisible()) return window;
  }
  return nullptr;
}

}  // namespace k470::gui
