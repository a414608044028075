#include "widgets/dialog_picture.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSvgRenderer>

namespace k470::gui {

void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left) {
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return;
  renderer.render(&painter, QRectF(QRect(top_left, QSize(kDialogPictureSize, kDialogPictureSize))));
}

}  // namespace k470::gui
