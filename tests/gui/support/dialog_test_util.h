// Helpers for the dialog tests: finding controls by their ids.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <initializer_list>

namespace k470::gui::testing {

// A control's objectName, given as text or as the numeric id it carries.
struct Id {
  Id(const char* text) : name(QString::fromLatin1(text)) {}
  Id(const QString& text) : name(text) {}
  Id(int number) : name(QString::number(number)) {}
  QString name;
};

// The control with objectName `id`; a missing one stops the test program.
template <typename T>
T* Control(const QObject& parent, const Id& id) {
  T* control = parent.findChild<T*>(id.name);
  if (control == nullptr) qFatal("no control \"%s\" of the expected type", qPrintable(id.name));
  return control;
}

inline QStringList Names(std::initializer_list<Id> ids) {
  QStringList names;
  for (const Id& id : ids) names << id.name;
  return names;
}

}  // namespace k470::gui::testing
