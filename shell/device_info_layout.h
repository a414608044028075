// Where the main window's panel puts the reader's picture and the device
// information, computed from the size of the area between toolbar and status
// bar. Kept apart from the painting so the arithmetic can be checked alone.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

namespace k470::gui {

struct DeviceInfoLayout {
  QRect picture;                 // where the main picture is stretched to
  QPoint title;                  // top-left of "====== K470 DEVICE INFORMATION ======"
  std::array<QPoint, 5> labels;  // top-left of each row's label
  std::array<QPoint, 5> values;  // top-left of each row's value
};

// The picture stands at (30, 50), five sixths of the client height high and
// that height times the whole-number quotient of the picture's width by its
// height wide. The text block starts at three fifths of the width and a sixth
// of the height; rows follow 50 pixels apart, labels 20 and values 200 pixels
// in. All divisions are whole-number ones.
DeviceInfoLayout LayoutDeviceInfo(QSize client, QSize picture);

}  // namespace k470::gui
