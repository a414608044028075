// Helpers for the dialog tests: finding controls by their ids and a serial
// port that plays bytes in virtual time.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <algorithm>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"

namespace k470::gui::testing {

// The control with objectName `id`; a missing one stops the test program.
template <typename T>
T* Control(const QObject& parent, const QString& id) {
  T* control = parent.findChild<T*>(id);
  if (control == nullptr) qFatal("no control \"%s\" of the expected type", qPrintable(id));
  return control;
}

// The objectNames of controls with numeric ids.
inline QStringList Names(std::initializer_list<int> ids) {
  QStringList names;
  for (const int id : ids) names << QString::number(id);
  return names;
}

template <typename T>
T* Control(const QObject& parent, int id) {
  return Control<T>(parent, QString::number(id));
}

// A port that refuses or accepts every open, records what is written and
// hands out queued pieces on reads; a read with nothing queued waits its
// full time on the virtual clock.
class FakePort : public k470::SerialPort {
 public:
  explicit FakePort(k470::VirtualClock& clock) : clock_(clock) {}

  bool Open(const std::string& name, const k470::LineSettings&) override {
    opened.push_back(name);
    return open_ = !refuse_open && !refuse_line_settings;
  }
  bool IsOpen() const override { return open_; }
  k470::OpenFailure last_open_failure() const override {
    return refuse_line_settings ? k470::OpenFailure::kLineSettingsRefused
                                : k470::OpenFailure::kCannotOpen;
  }
  void Close() override { open_ = false; }
  void Purge() override {}
  long Write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return -1;
    written.append(bytes.begin(), bytes.end());
    return static_cast<long>(bytes.size());
  }
  long Read(std::span<std::uint8_t> buf, k470::Millis wait) override {
    if (!open_ || incoming.empty()) {
      clock_.Advance(wait);
      return open_ ? 0 : -1;
    }
    std::string& next = incoming.front();
    const std::size_t n = std::min(buf.size(), next.size());
    std::copy_n(next.begin(), n, buf.begin());
    next.erase(0, n);
    if (next.empty()) incoming.pop_front();
    return static_cast<long>(n);
  }

  bool refuse_open = false;
  bool refuse_line_settings = false;  // opens, then refuses the line settings
  std::deque<std::string> incoming;
  std::string written;
  std::vector<std::string> opened;

 private:
  k470::VirtualClock& clock_;
  bool open_ = false;
};

}  // namespace k470::gui::testing
