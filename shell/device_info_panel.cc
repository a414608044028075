#include "shell/device_info_panel.h"

#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <array>

#include "shell/device_info_layout.h"
#include "shell/pictures.h"
#include "widgets/palette_colors.h"

namespace k470::gui {
namespace {

// The row labels as a 16-character field, blank-padded.
constexpr std::array<const char*, 5> kLabels = {
    QT_TRANSLATE_NOOP("k470::gui::DeviceInfoPanel", "[Device Type]   "),
    QT_TRANSLATE_NOOP("k470::gui::DeviceInfoPanel", "[Serial Number] "),
    QT_TRANSLATE_NOOP("k470::gui::DeviceInfoPanel", "[Kernel Version]"),
    QT_TRANSLATE_NOOP("k470::gui::DeviceInfoPanel", "[User Version]  "),
    QT_TRANSLATE_NOOP("k470::gui::DeviceInfoPanel", "[BT_MACID]      ")};

constexpr int kTextPixelSize = 16;

// On the baseline of the panel's font: a label in a script that font lacks is
// drawn in a fallback font of other heights and must still line up with its value.
void DrawTextAt(QPainter& painter, QPoint top_left, const QString& text) {
  painter.drawText(top_left + QPoint(0, painter.fontMetrics().ascent()), text);
}

}  // namespace

DeviceInfoPanel::DeviceInfoPanel(const DeviceInfo& info, QWidget* parent)
    : QWidget(parent), info_(info), picture_(QString::fromLatin1(kReaderPicture)) {
  setObjectName(QStringLiteral("deviceInfoPanel"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

void DeviceInfoPanel::paintEvent(QPaintEvent*) {
  QFont font = this->font();
  font.setPixelSize(std::max(kTextPixelSize, QFontInfo(font).pixelSize()));
  const QFontMetrics metrics(font);
  std::array<QString, 5> labels;
  DeviceInfoText text{metrics.lineSpacing(), 0};
  for (std::size_t row = 0; row < labels.size(); ++row) {
    labels[row] = tr(kLabels[row]);
    text.label_width = std::max(text.label_width, metrics.horizontalAdvance(labels[row]));
  }
  const DeviceInfoLayout layout =
      LayoutDeviceInfo(size(), picture_.deviceIndependentSize().toSize(), text);

  QPainter painter(this);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                         QPainter::TextAntialiasing);
  if (!picture_.isNull()) painter.drawPixmap(layout.picture, picture_);

  painter.setFont(font);
  // Red as on white paper; on a base where red reads worse than that, a red
  // drawn toward the palette's text colour until it reads as well.
  static const double kRedOnWhite = ContrastRatio(Qt::red, Qt::white);
  painter.setPen(Readable(Qt::red, palette().color(QPalette::Base), palette().color(QPalette::Text),
                          kRedOnWhite));
  DrawTextAt(painter, layout.title, tr(kDeviceInfoTitle));
  // The reader's texts are 8-bit ASCII; Latin-1 shows any byte as itself.
  const std::array<const std::string*, 5> values = {&info_.device_type, &info_.serial_number,
                                                    &info_.kernel_version, &info_.user_version,
                                                    &info_.bt_mac_id};
  for (std::size_t row = 0; row < values.size(); ++row) {
    DrawTextAt(painter, layout.labels[row], labels[row]);
    DrawTextAt(painter, layout.values[row], QString::fromLatin1(values[row]->c_str()));
  }
}

}  // namespace k470::gui
