#include "widgets/translated.h"

#include <QByteArray>
#include <QCoreApplication>

namespace k470::gui {

QString Translated(std::string_view text) {
  // A view need not end in a NUL; the lookup wants one.
  const QByteArray source(text.data(), static_cast<qsizetype>(text.size()));
  return QCoreApplication::translate(kCoreTextContext, source.constData());
}

}  // namespace k470::gui
