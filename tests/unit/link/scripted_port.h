// A serial port that plays a script in virtual time: bytes arrive at set
// moments (Deliver, often from a responder answering each write), and every
// write is kept with its time.
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
  int opens = 0, reads = 0;

  // Bytes that arrive `after` from now, in one piece.
  void Deliver(const std::string& bytes, Millis after = Millis(0)) {
    incoming_.emplace(clock_.Now() + after, bytes);
  }
  std::vector<std::string> written() const {
    std::vector<std::string> out;
    for (const auto& w : writes) out.push_back(w.bytes);
    return out;
  }

  bool Open(const std::string&, const LineSettings&) override {
    ++opens;
    return open_ = true;
  }
  bool IsOpen() const override { return open_; }
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
