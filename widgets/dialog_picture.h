// The small pictures that dialogs and pages paint at fixed positions, and the
// icons of their buttons. They are SVG files compiled into the program (dialogs.qrc).
#pragma once

#include <QIcon>
#include <QString>

class QPainter;
class QPoint;

namespace k470::gui {

inline constexpr int kDialogPictureSize = 32;

// Resource paths of the pictures.
inline constexpr char kFailedPicture[] = ":/dialogs/failed.svg";
inline constexpr char kReaderDialogPicture[] = ":/dialogs/reader.svg";
inline constexpr char kUsbVcomPicture[] = ":/dialogs/usb_vcom.svg";
// The EPC Tag field move buttons ">", "<", "^" and "V".
inline constexpr char kMoveRightIcon[] = ":/dialogs/move_right.svg";
inline constexpr char kMoveLeftIcon[] = ":/dialogs/move_left.svg";
inline constexpr char kMoveUpIcon[] = ":/dialogs/move_up.svg";
inline constexpr char kMoveDownIcon[] = ":/dialogs/move_down.svg";

// Paints the picture at `resource` as a 32 x 32 square with its top left
// corner at `top_left`. A missing picture paints nothing.
void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left);

// The picture at `resource` as a button icon of `size` pixels square; a
// missing picture gives a null icon.
QIcon DialogIcon(const QString& resource, int size);

}  // namespace k470::gui
