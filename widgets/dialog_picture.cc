#include "widgets/dialog_picture.h"

#include <QFile>
#include <QPainter>
#include <QPoint>
#include <QRect>

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
  // QIcon picks the @2x file where the painter's device has the pixels for it.
  DialogIcon(resource).paint(&painter,
                             QRect(top_left, QSize(kDialogPictureSize, kDialogPictureSize)));
}

QIcon DialogIcon(const QString& resource) {
  EnsureRegistered();
  if (!QFile::exists(resource)) return {};
  return QIcon(resource);
}

}  // namespace k470::gui
