#include "shell/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace k470::gui {
namespace {

const char* ToolbarResource(CommandId id) {
  using enum CommandId;
  switch (id) {
    case kNew:
      return ":/k470/toolbar/new.svg";
    case kOpen:
      return ":/k470/toolbar/open.svg";
    case kSave:
      return ":/k470/toolbar/save.svg";
    case kConfigureDevice:
      return ":/k470/toolbar/configure.svg";
    case kReadSettings:
      return ":/k470/toolbar/read.svg";
    case kDownloadSettings:
      return ":/k470/toolbar/download.svg";
    default:
      return nullptr;
  }
}

}  // namespace

QPixmap RenderPicture(const QString& resource, QSize size, qreal device_pixel_ratio) {
  QSvgRenderer renderer(resource);
  QPixmap pixmap(size * device_pixel_ratio);
  pixmap.setDevicePixelRatio(device_pixel_ratio);
  pixmap.fill(Qt::transparent);
  if (renderer.isValid()) {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  return pixmap;
}

QIcon ToolbarIcon(CommandId id, qreal device_pixel_ratio) {
  const char* resource = ToolbarResource(id);
  if (!resource) return {};
  return QIcon(RenderPicture(QString::fromLatin1(resource), kToolbarImageSize, device_pixel_ratio));
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(
        RenderPicture(QStringLiteral(":/k470/k470configuration.svg"), QSize(side, side)));
  }
  return icon;
}

}  // namespace k470::gui
