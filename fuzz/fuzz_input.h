// What the fuzz targets share: the fuzzer's bytes read as a sequence of
// choices, and a port on which the fuzzer plays the reader in virtual time.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/settings_image.h"
#include "link/clock.h"
#include "link/reader_link.h"
#include "link/serial_port.h"

namespace k470::fuzz {

// Takes bytes off the front of the input.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const std::uint8_t b = rest_.front();
    rest_ = rest_.subspan(1);
    return b;
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    n = std::min(n, rest_.size());
    const auto taken = rest_.first(n);
    rest_ = rest_.subspan(n);
    return taken;
  }
  // The next 640 bytes as an image; missing bytes are 0.
  SettingsImage Image() {
    SettingsImage image;
    const auto bytes = Take(kImageSize);
    std::copy(bytes.begin(), bytes.end(), image.bytes().begin());
    return image;
  }
  std::span<const std::uint8_t> rest() const { return rest_; }

 private:
  std::span<const std::uint8_t> rest_;
};

// The reader as the fuzzer plays it: each read takes the next piece of the
// stream (a length byte, then that many bytes; 0 means a silent read that
// waits its whole time). When the stream ends the reader is silent, or gone
// when `vanish_at_end` is set. Writes are taken whole; the clock is virtual,
// so time-outs cost nothing.
class StreamPort : public SerialPort {
 public:
  StreamPort(FuzzInput& input, VirtualClock& clock, bool vanish_at_end)
      : input_(input), clock_(clock), vanish_at_end_(vanish_at_end) {}

  bool Open(const std::string&, const LineSettings&) override { return open_ = true; }
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  void Purge() override {}
  long Write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return -1;
    written_ += bytes.size();
    return static_cast<long>(bytes.size());
  }
  long Read(std::span<std::uint8_t> buf, Millis wait) override {
    if (!open_) return -1;
    if (pending_.empty()) {
      if (input_.rest().empty() && vanish_at_end_) return -1;
      const auto piece = input_.Take(input_.Byte());
      pending_.assign(piece.begin(), piece.end());
      if (pending_.empty()) {
        clock_.Advance(wait);
        return 0;
      }
    }
    const std::size_t n = std::min(buf.size(), pending_.size());
    std::copy_n(pending_.begin(), n, buf.begin());
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(n));
    clock_.Advance(Millis(1));
    return static_cast<long>(n);
  }

  std::size_t written() const { return written_; }

 private:
  FuzzInput& input_;
  VirtualClock& clock_;
  bool vanish_at_end_;
  bool open_ = false;
  std::vector<std::uint8_t> pending_;
  std::size_t written_ = 0;
};

// A reader link over the fuzzer's stream; the input's first byte says
// whether the reader vanishes when the stream ends or falls silent.
struct FuzzedLink {
  FuzzedLink(const std::uint8_t* data, std::size_t size)
      : input(data, size), port(input, clock, input.Byte() & 1) {
    port.Open("fuzz", {});
  }
  FuzzInput input;
  VirtualClock clock;
  StreamPort port;
  ReaderLink link{port, clock};
};

// Where file targets write their one file: memory when the system has it.
inline std::string ScratchFolder() { return ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp"; }

// Stops the run with a message libFuzzer keeps with the input.
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

}  // namespace k470::fuzz
