// The serial port of the unit and GUI tests: it plays a script in virtual
// time. Bytes arrive at set moments (Deliver, often from a responder
// answering each write), every write is kept with its time, and an open can
// be refused the two ways a real port refuses it.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/serial_port.h"

namespace k470::testing {

class ScriptedPort : public SerialPort {
 public:
  struct WriteRecord {
    Millis at;
    std::string bytes;
  };
  explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

  std::function<void(ScriptedPort&, const std::string& written)> responder;
  std::size_t write_limit = 0;       // most bytes a write takes; 0: all
  Millis vanish_at = Millis::max();  // from then on reads fail at once, as when unplugged
  std::vector<WriteRecord> writes;
  bool refuse_open = false;
  bool refuse_line_settings = false;  // opens, then refuses the line settings
  std::vector<std::string> opened;    // the name of every open asked for
  int reads = 0;

  // Bytes that arrive `after` from now, in one piece.
  void Deliver(const std::string& bytes, Millis after = Millis(0)) {
    incoming_.emplace(clock_.Now() + after, bytes);
  }
  std::vector<std::string> written() const {
    std::vector<std::string> out;
    for (const auto& w : writes) out.push_back(w.bytes);
    return out;
  }
  std::string all_written() const {
    std::string out;
    for (const auto& w : writes) out += w.bytes;
    return out;
  }

  bool Open(const std::string& name, const LineSettings&) override {
    opened.push_back(name);
    return open_ = !refuse_open && !refuse_line_settings;
  }
  bool IsOpen() const override { return open_; }
  OpenFailure last_open_failure() const override {
    return refuse_line_settings ? OpenFailure::kLineSettingsRefused : OpenFailure::kCannotOpen;
  }
  void Close() override {
    open_ = false;
    incoming_.clear();
  }
  void Purge() override { incoming_.erase(incoming_.begin(), incoming_.upper_bound(clock_.Now())); }
  long Write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return -1;
    const std::size_t n = write_limit ? std::min(bytes.size(), write_limit) : bytes.size();
    writes.push_back({clock_.Now(), std::string(bytes.begin(), bytes.begin() + n)});
    if (responder) responder(*this, writes.back().bytes);
    return static_cast<long>(n);
  }
  long Read(std::span<std::uint8_t> buf, Millis wait) override {
    ++reads;
    if (!open_ || clock_.Now() >= vanish_at) return -1;
    wait = std::min(wait, vanish_at - clock_.Now());
    const auto next = incoming_.begin();
    if (next == incoming_.end() || next->first > clock_.Now() + wait) {
      clock_.Advance(wait);
      return 0;
    }
    clock_.Advance(std::max(next->first - clock_.Now(), Millis(0)));
    const std::size_t n = std::min(buf.size(), next->second.size());
    std::copy_n(next->second.begin(), n, buf.begin());
    next->second.erase(0, n);
    if (next->second.empty()) incoming_.erase(next);
    return static_cast<long>(n);
  }

 private:
  VirtualClock& clock_;
  std::multimap<Millis, std::string> incoming_;  // equal times keep their order
  bool open_ = false;
};

}  // namespace k470::testing
