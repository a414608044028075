#include "shell/device_info_panel.h"

#include <QPainter>
#include <array>

#include "shell/device_info_layout.h"
#include "shell/pictures.h"

namespace k470::gui {
namespace {

// The row labels as a 16-character field, blank-padded.
constexpr std::array<const char*, 5> kLabels = {"[Device Type]   ", "[Serial Number] ",
                                                "[Kernel Version]", "[User Version]  ",
                                                "[BT_MACID]      "};

constexpr int kTextPixelSize = 16;

void DrawTextAt(QPainter& painter, QPoint top_left, const QString& text) {
  painter.drawText(QRect(top_left, QSize(1, 1)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   text);
}

}  // namespace

DeviceInfoPanel::DeviceInfoPanel(const DeviceInfo& info, QWidget* parent)
    : QWidget(parent), info_(info), picture_(QString::fromLatin1(kReaderPicture)) {
  setObjectName(QStringLiteral("deviceInfoPanel"));
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void DeviceInfoPanel::paintEvent(QPaintEvent*) {
  const DeviceInfoLayout layout =
      LayoutDeviceInfo(size(), picture_.deviceIndependentSize().toSize());
  QPainter painter(this);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                         QPainter::TextAntialiasing);
  if (!picture_.isNull()) painter.drawPixmap(layout.picture, picture_);

  QFont font = painter.font();
  font.setPixelSize(kTextPixelSize);
  painter.setFont(font);
  painter.setPen(Qt::red);
  DrawTextAt(painter, layout.title, QString::fromLatin1(kDeviceInfoTitle));
  // The reader's texts are 8-bit ASCII; Latin-1 shows any byte as itself.
  const std::array<const std::string*, 5> values = {&info_.device_type, &info_.serial_number,
                                                    &info_.kernel_version, &info_.user_version,
                                                    &info_.bt_mac_id};
  for (int row = 0; row < 5; ++row) {
    DrawTextAt(painter, layout.labels[row], QString::fromLatin1(kLabels[row]));
    DrawTextAt(painter, layout.values[row], QString::fromLatin1(values[row]->c_str()));
  }
}

}  // namespace k470::gui
