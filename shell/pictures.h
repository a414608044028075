// The program's own pictures, rendered from resources/*.svg at build time:
// the toolbar images, the program icon and the picture of the reader on the
// main window.
#pragma once

#include <QIcon>
#include <QSize>

#include "shell/commands.h"

namespace k470::gui {

// Drawn at twice its 585 x 550 size: the main window stretches it to five
// sixths of its height, sharp on large windows and high-density screens.
inline constexpr char kReaderPicture[] = ":/k470/reader@2x.png";

inline constexpr QSize kToolbarImageSize(16, 15);

// The 16 x 15 image of a toolbar command (with its @2x file for high-density
// screens); a null icon for other commands.
QIcon ToolbarIcon(CommandId id);

// The program's icon at the sizes desktops ask for.
QIcon ProgramIcon();

}  // namespace k470::gui
