#include "widgets/dialog_picture.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSvgRenderer>

// Q_INIT_RESOURCE names a function of the global namespace. Calling it is
// what makes a static library's pictures part of the program at all.
static void RegisterDialogPictures() { Q_INIT_RESOURCE(dialogs); }

namespace k470::gui {

void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left) {
  static const bool registered = (RegisterDialogPictures(), true);
  static_cast<void>(registered);
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return;
  renderer.render(&painter, QRectF(QRect(top_left, QSize(kDialogPictureSize, kDialogPictureSize))));
}

}  // namespace k470::gui
