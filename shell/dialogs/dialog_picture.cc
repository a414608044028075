#include "shell/dialogs/dialog_picture.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSvgRenderer>

// The pictures live in a library; a static library drops the compiled
// resources unless something refers to them, so register them explicitly.
// Q_INIT_RESOURCE has to be used outside any namespace.
static void InitDialogResources() { Q_INIT_RESOURCE(dialogs); }

namespace k470::gui {
namespace {

void EnsureResources() {
  static const bool initialized = [] {
    InitDialogResources();
    return true;
  }();
  (void)initialized;
}

}  // namespace

bool DialogPictureAvailable(const QString& resource) {
  EnsureResources();
  return QSvgRenderer(resource).isValid();
}

void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left) {
  EnsureResources();
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return;
  renderer.render(&painter, QRectF(QRect(top_left, QSize(kDialogPictureSize, kDialogPictureSize))));
}

}  // namespace k470::gui
