// The main window's information panel beyond the default look: under a dark
// palette it is dark and its red text reads at least as well as red on white,
// and a large font spreads the text block instead of running labels into
// values.
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
    dark.setColor(QPalette::Base, QColor(40, 40, 40));
    dark.setColor(QPalette::Text, Qt::white);
    const DeviceInfo info;
    for (const QPalette& palette : {QApplication::palette(), dark}) {
      DeviceInfoPanel panel(info);
      panel.setPalette(palette);
      panel.resize(kMainWindowSize);
      const QImage image = panel.grab().toImage();
      const QColor base = palette.color(QPalette::Base);
      QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), base);

      // The strongest ink in the title's band, right of the picture.
      QColor ink = base;
      const int top = image.height() / 6;
      for (int y = top; y < top + QFontMetrics(panel.font()).height() + 4; ++y) {
        for (int x = image.width() * 3 / 5; x < image.width(); ++x) {
          const QColor pixel = image.pixelColor(x, y);
          if (ContrastRatio(pixel, base) > ContrastRatio(ink, base)) ink = pixel;
        }
      }
      QVERIFY2(ink.red() > 2 * ink.green() && ink.red() > 2 * ink.blue(), qPrintable(ink.name()));
      QVERIFY2(ContrastRatio(ink, base) >= ContrastRatio(Qt::red, Qt::white) - 0.05,
               qPrintable(ink.name()));
    }
  }

  void aLargeFontSpreadsTheTextBlockASmallOneKeepsIt() {
    const QSize client(1200, 620);
    const QSize picture(585, 550);
    const DeviceInfoLayout plain = LayoutDeviceInfo(client, picture);
    const auto same = [](const DeviceInfoLayout& a, const DeviceInfoLayout& b) {
      return a.picture == b.picture && a.title == b.title && a.labels == b.labels &&
             a.values == b.values;
    };
    QVERIFY(same(LayoutDeviceInfo(client, picture, {19, 130}), plain));  // 16-pixel text

    const DeviceInfoText large{44, 330};
    const DeviceInfoLayout spread = LayoutDeviceInfo(client, picture, large);
    QCOMPARE(spread.title, plain.title);
    QVERIFY(spread.labels[0].y() - spread.title.y() >= large.line_spacing);
    for (int row = 0; row < 5; ++row) {
      QCOMPARE(spread.labels[row].x(), plain.labels[row].x());
      QVERIFY(spread.labels[row].x() + large.label_width < spread.values[row].x());
      QCOMPARE(spread.values[row].y(), spread.labels[row].y());
      if (row > 0) {
        QVERIFY(spread.labels[row].y() - spread.labels[row - 1].y() >= large.line_spacing);
      }
    }
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::DeviceInfoPanelTest)
#include "device_info_panel_test.moc"
