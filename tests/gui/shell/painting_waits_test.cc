// Waits inside commands let the event loop paint, and a port read keeps its
// whole wait however it is sliced.
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include "shell/painting_waits.h"
#include "tests/support/scripted_port.h"

namespace k470::gui {
namespace {

class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

class PaintingWaitsTest : public QObject {
  Q_OBJECT

 private slots:
  void waitsKeepPaintingAndLastTheirWholeTime() {
    PaintCounter widget;
    widget.show();
    QCoreApplication::processEvents();
    int paints = widget.paints;
    widget.update();
    PaintingClock clock;
    const Millis before = clock.Now();
    clock.SleepFor(Millis(60));
    QVERIFY(clock.Now() - before >= Millis(60));
    QVERIFY(widget.paints > paints);

    // A silent reader: the read waits its whole time, painting between slices.
    VirtualClock virtual_clock;
    k470::testing::ScriptedPort silent(virtual_clock);
    QVERIFY(silent.Open("/dev/ttyACM0", {}));
    PaintingSerialPort port(silent, virtual_clock);
    paints = widget.paints;
    widget.update();
    std::uint8_t buf[4];
    QCOMPARE(port.Read(buf, Millis(100)), 0L);
    QCOMPARE(virtual_clock.Now(), Millis(100));
    QVERIFY(widget.paints > paints);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::PaintingWaitsTest)
#include "painting_waits_test.moc"
