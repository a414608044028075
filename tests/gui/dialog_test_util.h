// Helpers for the dialog tests: finding controls by their ids.
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace k470::gui::testing {

// The control with objectName `id`; a missing one stops the test program.
template <typename T>
T* Control(const QObject& parent, const QString& id) {
  T* control = parent.findChild<T*>(id);
  if (control == nullptr) qFatal("no control \"%s\" of the expected type", qPrintable(id));
  return control;
}

}  // namespace k470::gui::testing
