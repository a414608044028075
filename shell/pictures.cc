#include "shell/pictures.h"

namespace k470::gui {
namespace {

const char* ToolbarResource(CommandId id) {
  using enum CommandId;
  switch (id) {
    case kNew:
      return ":/k470/toolbar/new.png";
    case kOpen:
      return ":/k470/toolbar/open.png";
    case kSave:
      return ":/k470/toolbar/save.png";
    case kConfigureDevice:
      return ":/k470/toolbar/configure.png";
    case kReadSettings:
      return ":/k470/toolbar/read.png";
    case kDownloadSettings:
      return ":/k470/toolbar/download.png";
    default:
      return nullptr;
  }
}

}  // namespace

QIcon ToolbarIcon(CommandId id) {
  const char* resource = ToolbarResource(id);
  // QIcon adds new@2x.png itself where the screens ask for it.
  return resource ? QIcon(QString::fromLatin1(resource)) : QIcon();
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/k470/icon/%1.png").arg(side), QSize(side, side));
  }
  return icon;
}

}  // namespace k470::gui
