// Helpers for the dialog tests: finding controls by their ids.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <initializer_list>

namespace k470::gui::testing {

// The control with objectName `id`; a missing one stops the test program.
template <typename T>
T* Control(const QObject& parent, const QString& id) {
  T* control = parent.findChild<T*>(id);
  if (control == nullptr) qFatal("no control \"%s\" of the expected type", qPrintable(id));
  return control;
}

// The objectNames of controls with numeric ids.
inline QStringList Names(std::initializer_list<int> ids) {
  QStringList names;
  for (const int id : ids) names << QString::number(id);
  return names;
}

template <typename T>
T* Control(const QObject& parent, int id) {
  return Control<T>(parent, QString::number(id));
}

}  // namespace k470::gui::testing
