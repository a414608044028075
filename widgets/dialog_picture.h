// The small pictures that dialogs and pages paint at fixed positions, and the
// icons of their buttons, rendered from resources/dialogs/*.svg at build time
// (each with an @2x file for high-density screens) and compiled into the program.
#pragma once

#include <QIcon>
#include <QString>

class QPainter;
class QPoint;

namespace k470::gui {

inline constexpr int kDialogPictureSize = 32;

// Resource paths of the pictures.
inline constexpr char kFailedPicture[] = ":/dialogs/failed.png";
inline constexpr char kReaderDialogPicture[] = ":/dialogs/reader.png";
inline constexpr char kUsbVcomPicture[] = ":/dialogs/usb_vcom.png";
// The EPC Tag field move buttons ">", "<", "^" and "V".
inline constexpr char kMoveRightIcon[] = ":/dialogs/move_right.png";
inline constexpr char kMoveLeftIcon[] = ":/dialogs/move_left.png";
inline constexpr char kMoveUpIcon[] = ":/dialogs/move_up.png";
inline constexpr char kMoveDownIcon[] = ":/dialogs/move_down.png";

// Paints the picture at `resource` as a 32 x 32 square with its top left
// corner at `top_left`. A missing picture paints nothing.
void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left);

// The picture at `resource` as a button icon; a missing picture gives a null
// icon. QIcon greys it itself for a disabled button.
QIcon DialogIcon(const QString& resource);

}  // namespace k470::gui
