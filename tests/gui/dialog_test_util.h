// Helpers for the dialog tests: finding controls by their ids, a serial port
// that plays bytes in virtual time, and a log of the message boxes shown.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"
#include "shell/modal.h"

namespace k470::gui::testing {

// The control with objectName `id`; a missing one stops the test program,
// since every later step would only report the same fault again.
template <typename T>
T* Control(const QObject& parent, const QString& id) {
  T* control = parent.findChild<T*>(id);
  if (control == nullptr) {
    qFatal("no control \"%s\" of the expected type", qPrintable(id));
  }
  return control;
}

// A port that refuses or accepts every open, records what is written and
// hands out queued pieces on reads. A read with nothing queued waits its full
// time on the virtual clock, as a silent reader does.
class FakePort : public k470::SerialPort {
 public:
  explicit FakePort(k470::VirtualClock& clock) : clock_(clock) {}

  bool Open(const std::string& name, const k470::LineSettings&) override {
    opened.push_back(name);
    open_ = !refuse_open && !refuse_line_settings;
    return open_;
  }
  bool IsOpen() const override { return open_; }
  k470::OpenFailure last_open_failure() const override {
    return refuse_line_settings ? k470::OpenFailure::kLineSettingsRefused
                                : k470::OpenFailure::kCannotOpen;
  }
  void Close() override { open_ = false; }
  void Purge() override { ++purges; }
  long Write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return -1;
    written.append(bytes.begin(), bytes.end());
    return static_cast<long>(bytes.size());
  }
  long Read(std::span<std::uint8_t> buf, k470::Millis wait) override {
    if (!open_ || broken) {
      clock_.Advance(wait);
      return -1;
    }
    if (incoming.empty()) {
      clock_.Advance(wait);
      return 0;
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
  bool broken = false;                // reads fail, as after the reader was unplugged
  std::deque<std::string> incoming;
  std::string written;
  std::vector<std::string> opened;
  int purges = 0;

 private:
  k470::VirtualClock& clock_;
  bool open_ = false;
};

// Answers every message box with OK and keeps what it was asked.
class MessageLog {
 public:
  MessageLog() {
    k470::gui::SetMessageBoxHandler([this](const MessageBoxRequest& request) {
      shown.push_back(request);
      return QMessageBox::Ok;
    });
  }
  ~MessageLog() { k470::gui::SetMessageBoxHandler({}); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // True when exactly one box was shown, and it was this one.
  bool ShownOnly(const QString& text, const QString& caption, QMessageBox::Icon icon) const {
    return shown.size() == 1 && shown[0].text == text && shown[0].caption == caption &&
           shown[0].icon == icon;
  }

  std::vector<MessageBoxRequest> shown;
};

}  // namespace k470::gui::testing
