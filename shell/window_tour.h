// A tour of every window of the program as a user meets it: the main window,
// File > Open Recent, the Device Settings sheet on each tab and in use, and
// every dialog, each shown and laid out, without a display or a reader. The
// screenshots are taken on it, and the tests that read every window walk it.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace k470::gui {

// Sees one window while it is shown; `name` says which (e.g.
// "device-settings-3-raw-data", "key-picker-ascii").
using WindowVisitor = std::function<void(QWidget& window, const QString& name)>;

// Shows every window in turn, each handed to `visit` and closed afterwards.
// Message boxes are left to the caller's handler (widgets/modal.h).
void TourWindows(const WindowVisitor& visit);

}  // namespace k470::gui
