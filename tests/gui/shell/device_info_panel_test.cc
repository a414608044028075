// The main window's information panel beyond the default look: dark under a
// dark palette with its red as readable as red on white, and its text block
// spread by a large font instead of labels running into values.
#include <QApplication>
#include <QtTest>

#include "shell/device_info_layout.h"
#include "shell/device_info_panel.h"
#include "shell/window_placement.h"
#include "widgets/palette_colors.h"

namespace k470::gui {

class DeviceInfoPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void identityTextIsRedAndReadableOnLightAndDarkPalettes() {
    QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white)), 21);
    QPalette dark(QColor(53, 53, 53), QColor(35, 35, 35));  // button, window
    dark.setColor(QPalette::Base, QColor(40, 40, 40));      // where pure red reads worse
    const DeviceInfo info;
    for (const QPalette& palette : {QApplication::palette(), dark}) {
      DeviceInfoPanel panel(info);
      panel.setPalette(palette);
      panel.resize(kMainWindowSize);
      const QImage image = panel.grab().toImage();
      const QColor base = palette.color(QPalette::Base);
      QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), base);

      QColor ink = base;  // the strongest in the title's band, right of the picture
      const int top = image.height() / 6;
      for (int y = top; y < top + QFontMetrics(panel.font()).height() + 4; ++y) {
        for (int x = image.width() * 3 / 5; x < image.width(); ++x) {
          const QColor pixel = image.pixelColor(x, y);
          if (ContrastRatio(pixel, base) > ContrastRatio(ink, base)) ink = pixel;
        }
      }
      QVERIFY2(ink.red() > 2 * std::max(ink.green(), ink.blue()) &&
                   ContrastRatio(ink, base) >= ContrastRatio(Qt::red, Qt::white) - 0.05,
               qPrintable(ink.name()));
    }
  }

  void aLargeFontSpreadsTheTextBlockASmallOneKeepsIt() {
    const QSize client(1200, 620);
    const QSize picture(585, 550);
    const DeviceInfoLayout plain = LayoutDeviceInfo(client, picture);
    QCOMPARE(LayoutDeviceInfo(client, picture, {19, 130}), plain);  // 16-pixel text

    const DeviceInfoText large{44, 330};
    const DeviceInfoLayout spread = LayoutDeviceInfo(client, picture, large);
    QVERIFY(spread.title == plain.title && spread.labels[0].y() - spread.title.y() >= 44);
    for (int row = 0; row < 5; ++row) {
      QCOMPARE(spread.labels[row].x(), plain.labels[row].x());
      QCOMPARE(spread.values[row].y(), spread.labels[row].y());
      QVERIFY(spread.labels[row].x() + large.label_width < spread.values[row].x());
      QVERIFY(row == 0 || spread.labels[row].y() - spread.labels[row - 1].y() >= 44);
    }
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::DeviceInfoPanelTest)
#include "device_info_panel_test.moc"
