#include "shell/device_info_layout.h"

#include <algorithm>

namespace k470::gui {
namespace {

constexpr QPoint kPictureOrigin(30, 50);
constexpr int kRowSpacing = 50;
constexpr int kLabelIndent = 20;
constexpr int kValueIndent = 200;

}  // namespace

DeviceInfoLayout LayoutDeviceInfo(QSize client, QSize picture, DeviceInfoText text) {
  DeviceInfoLayout layout;
  const int height = client.height() / 6 * 5;
  const int aspect = picture.height() > 0 ? picture.width() / picture.height() : 0;
  layout.picture = QRect(kPictureOrigin, QSize(height * aspect, height));

  const int x = client.width() / 5 * 3;
  const int y = client.height() / 6;
  const int row_spacing = std::max(kRowSpacing, 2 * text.line_spacing);
  const int value_indent =
      std::max(kValueIndent, kLabelIndent + text.label_width + text.line_spacing);
  layout.title = QPoint(x, y);
  for (int row = 0; row < 5; ++row) {
    const int row_y = y + row_spacing * (row + 1);
    layout.labels[row] = QPoint(x + kLabelIndent, row_y);
    layout.values[row] = QPoint(x + value_indent, row_y);
  }
  return layout;
}

}  // namespace k470::gui
