// Waits inside commands: they let the event loop paint, and a port read keeps
// its whole wait however it is sliced.
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include "shell/painting_waits.h"

namespace k470::gui {
namespace {

// Answers reads from a script; each read consumes its wait on a virtual clock.
class ScriptedReads : public SerialPort {
 public:
  explicit ScriptedReads(VirtualClock& clock) : clock_(clock) {}
  bool Open(const std::string&, const LineSettings&) override { return true; }
  bool IsOpen() const override { return true; }
  void Close() override {}
  void Purge() override {}
  long Write(std::span<const std::uint8_t> bytes) override {
    return static_cast<long>(bytes.size());
  }
  long Read(std::span<std::uint8_t> buf, Millis wait) override {
    waits.push_back(wait.count());
    if (bytes_on_read == static_cast<int>(waits.size())) {
      buf[0] = 'O';
      return 1;
    }
    clock_.Advance(wait);
    return 0;
  }

  std::vector<long> waits;
  int bytes_on_read = 0;  // the read (counted from 1) that delivers a byte; 0: none

 private:
  VirtualClock& clock_;
};

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
  void sleepKeepsPaintingForTheWholeDuration() {
    PaintCounter widget;
    widget.show();
    QCoreApplication::processEvents();
    const int paints = widget.paints;
    bool timer_fired = false;
    QTimer::singleShot(0, [&] { timer_fired = true; });
    widget.update();

    PaintingClock clock;
    const Millis before = clock.Now();
    clock.SleepFor(Millis(60));
    QVERIFY(clock.Now() - before >= Millis(60));
    QVERIFY(timer_fired);
    QVERIFY(widget.paints > paints);
  }

  void readKeepsItsWholeWaitAcrossSlices() {
    VirtualClock clock;
    ScriptedReads inner(clock);
    PaintingSerialPort port(inner, clock);
    std::uint8_t buf[4];

    QCOMPARE(port.Read(buf, Millis(100)), 0L);
    QCOMPARE(inner.waits, (std::vector<long>{40, 40, 20}));

    inner.waits.clear();
    inner.bytes_on_read = 2;
    QCOMPARE(port.Read(buf, Millis(2000)), 1L);
    QCOMPARE(inner.waits.size(), std::size_t{2});  // returns as soon as a byte is there

    inner.waits.clear();
    QCOMPARE(port.Read(buf, Millis(0)), 0L);
    QCOMPARE(inner.waits, std::vector<long>{0});
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::PaintingWaitsTest)
#include "painting_waits_test.moc"
