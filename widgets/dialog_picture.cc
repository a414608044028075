#include "widgets/dialog_picture.h"

#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSvgRenderer>

// Q_INIT_RESOURCE names a function of the global namespace. Calling it is
// what makes a static library's pictures part of the program at all.
static void RegisterDialogPictures() { Q_INIT_RESOURCE(dialogs); }

namespace k470::gui {

namespace {

void EnsureRegistered() {
  static const bool registered = (RegisterDialogPictures(), true);
  static_cast<void>(registered);
}

}  // namespace

void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left) {
  EnsureRegistered();
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return;
  renderer.render(&painter, QRectF(QRect(top_left, QSize(kDialogPictureSize, kDialogPictureSize))));
}

QIcon DialogIcon(const QString& resource, int size) {
  EnsureRegistered();
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  // Rendered here rather than left to an SVG icon plugin the machine may lack;
  // QIcon greys the pixmap itself for a disabled button.
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace k470::gui
