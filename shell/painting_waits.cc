#include "shell/painting_waits.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace k470::gui {
namespace {

// Short enough that a window dragged over the program repaints smoothly,
// long enough that a wait costs next to no CPU.
constexpr Millis kSlice{40};

}  // namespace

void ProcessEventsExceptInput() {
  if (QCoreApplication::instance()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void PaintingClock::SleepFor(Millis duration) {
  if (duration <= Millis::zero()) return;
  if (!QCoreApplication::instance()) {
    base_.SleepFor(duration);
    return;
  }
  // The loop sleeps in the event dispatcher until the timer fires, waking
  // only for events; the deadline check guards against an early wake-up.
  const Millis deadline = base_.Now() + duration;
  for (Millis left = duration; left > Millis::zero(); left = deadline - base_.Now()) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(left.count()), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
}

long PaintingSerialPort::Read(std::span<std::uint8_t> buf, Millis wait) {
  const Millis deadline = clock_.Now() + wait;
  for (;;) {
    const Millis left = deadline - clock_.Now();
    const long n = inner_.Read(buf, std::clamp(left, Millis::zero(), kSlice));
    if (n != 0 || left <= kSlice) return n;
    ProcessEventsExceptInput();
  }
}

}  // namespace k470::gui
