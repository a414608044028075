// A serial port for unit tests that plays a script in virtual time: the test
// schedules bytes to arrive at given moments, or answers each write with a
// responder, and afterwards inspects every write with its time.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
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
  // Called for every write with the bytes written; may Deliver() a reply.
  using Responder = std::function<void(ScriptedPort&, const std::string& written)>;

  explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

  void SetResponder(Responder r) { responder_ = std::move(r); }
  void FailOpen(bool fail) { fail_open_ = fail; }
  // From now on every read waits its full time and reports an error, as a
  // device that was unplugged does.
  void Vanish() { vanished_ = true; }
  // Makes the next writes accept at most `n` bytes each (0: no limit).
  void LimitWrites(std::size_t n) { write_limit_ = n; }

  // Bytes that arrive `after` from now, in one piece.
  void Deliver(const std::string& bytes, Millis after = Millis(0)) {
    incoming_.push_back({clock_.Now() + after, bytes});
    std::stable_sort(incoming_.begin(), incoming_.end(),
                     [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
  }

  bool Open(const std::string& name, const LineSettings& settings) override {
    ++opens_;
    opened_name_ = name;
    settings_ = settings;
    open_ = !fail_open_;
    return open_;
  }
  bool IsOpen() const override { return open_; }
  void Close() override {
    if (open_) ++closes_;
    open_ = false;
    incoming_.clear();
  }
  void Purge() override {
    ++purges_;
    std::erase_if(incoming_, [&](const Arrival& a) { return a.at <= clock_.Now(); });
  }
  long Write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return -1;
    std::size_t n = bytes.size();
    if (write_limit_ != 0) n = std::min(n, write_limit_);
    std::string s(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    writes_.push_back({clock_.Now(), s});
    if (responder_) responder_(*this, s);
    return static_cast<long>(n);
  }
  long Read(std::span<std::uint8_t> buf, Millis wait) override {
    ++reads_;
    if (vanished_ || !open_) {
      clock_.Advance(wait);
      return -1;
    }
    if (incoming_.empty() || incoming_.front().at > clock_.Now() + wait) {
      clock_.Advance(wait);
      return 0;
    }
    Arrival& next = incoming_.front();
    if (next.at > clock_.Now()) clock_.Advance(next.at - clock_.Now());
    const std::size_t n = std::min(buf.size(), next.bytes.size());
    std::copy_n(next.bytes.begin(), n, buf.begin());
    next.bytes.erase(0, n);
    if (next.bytes.empty()) incoming_.pop_front();
    return static_cast<long>(n);
  }

  void ClearWrites() { writes_.clear(); }
  const std::vector<WriteRecord>& writes() const { return writes_; }
  std::vector<std::string> written() const {
    std::vector<std::string> out;
    for (const auto& w : writes_) out.push_back(w.bytes);
    return out;
  }
  int opens() const { return opens_; }
  int closes() const { return closes_; }
  int purges() const { return purges_; }
  int reads() const { return reads_; }
  const std::string& opened_name() const { return opened_name_; }
  const LineSettings& settings() const { return settings_; }

 private:
  struct Arrival {
    Millis at;
    std::string bytes;
  };
  VirtualClock& clock_;
  Responder responder_;
  std::deque<Arrival> incoming_;
  std::vector<WriteRecord> writes_;
  bool open_ = false;
  bool fail_open_ = false;
  bool vanished_ = false;
  std::size_t write_limit_ = 0;
  int opens_ = 0, closes_ = 0, purges_ = 0, reads_ = 0;
  std::string opened_name_;
  LineSettings settings_;
};

}  // namespace k470::testing
