// The program's own pictures (resources/main.qrc): the toolbar images, the
// program icon and the picture of the reader on the main window.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

#include "shell/commands.h"

namespace k470::gui {

inline constexpr char kReaderPicture[] = ":/k470/reader.svg";
inline constexpr QSize kToolbarImageSize(16, 15);

// The SVG at `resource` rendered into a transparent pixmap of `size`
// (device-independent pixels, sharp on high-density screens).
QPixmap RenderPicture(const QString& resource, QSize size, qreal device_pixel_ratio = 1.0);

// The 16 x 15 image of a toolbar command; a null icon for other commands.
QIcon ToolbarIcon(CommandId id, qreal device_pixel_ratio = 1.0);

// The program's icon at the usual sizes.
QIcon ProgramIcon();

}  // namespace k470::gui
