// The small pictures that dialogs and pages paint at fixed positions. They are SVG files compiled
// into the program (dialogs.qrc).
#pragma once

#include <QString>

class QPainter;
class QPoint;

namespace k470::gui {

inline constexpr int kDialogPictureSize = 32;

// Resource paths of the pictures.
inline constexpr char kFailedPicture[] = ":/dialogs/failed.svg";
inline constexpr char kReaderDialogPicture[] = ":/dialogs/reader.svg";
inline constexpr char kUsbVcomPicture[] = ":/dialogs/usb_vcom.svg";

// Paints the picture at `resource` as a 32 x 32 square with its top left
// corner at `top_left`. A missing picture paints nothing.
void PaintDialogPicture(QPainter& painter, const QString& resource, const QPoint& top_left);

}  // namespace k470::gui
