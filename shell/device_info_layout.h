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

  bool operator==(const DeviceInfoLayout&) const = default;
};

// What the text block needs of the panel's font.
struct DeviceInfoText {
  int line_spacing = 0;  // from one line of text to the next
  int label_width = 0;   // the widest row label
};

// The picture stands at (30, 50), five sixths of the client height high and
// that height times the whole-number quotient of the picture's width by its
// height wide. The text block starts at three fifths of the width and a sixth
// of the height; rows follow 50 pixels apart, labels 20 and values 200 pixels
// in. All divisions are whole-number ones. A font too large for that spreads
// the rows two lines apart and puts the values a line's height beyond the
// widest label.
DeviceInfoLayout LayoutDeviceInfo(QSize client, QSize picture, DeviceInfoText text = {});

}  // namespace k470::gui
