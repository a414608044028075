#include "link/reader_link.h"

#include <algorithm>
#include <cstring>

#include "link/write_fully.h"

namespace k470 {
namespace {

constexpr Millis kSlowLinePause{30};

constexpr char kDisconnected[] = "the reader was disconnected";
constexpr char kSilent[] = "no reply within 2000 ms";
constexpr char kReplyTooLong[] = "a reply longer than 2048 bytes without CR";
constexpr char kNoLineEnd[] = "no complete reply within 5000 ms";
constexpr char kBadBlockReply[] = "a block reply that is not 32 hex digits and CR";

std::span<const std::uint8_t> AsBytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

}  // namespace

bool ReaderLink::OpenReaderPort(const std::string& name, const LineSettings& settings) {
  if (port_.IsOpen()) port_.Close();
  baud_rate_ = BaudRateOfIndex(settings.baud_index);
  return port_.Open(name, settings);
}

void ReaderLink::CloseReaderPort() {
  if (port_.IsOpen()) port_.Close();
}

void ReaderLink::FlushReaderPort() {
  if (port_.IsOpen()) port_.Purge();
}

void ReaderLink::SendRaw(std::string_view bytes) { port_.Write(AsBytes(bytes)); }

void ReaderLink::ClearReply() { std::fill_n(reply_.begin(), kReplyBufferSize - 2, 0); }

std::string ReaderLink::ReplyText() const {
  const auto end = std::find(reply_.begin(), reply_.end(), 0);
  return std::string(reply_.begin(), end);
}

void ReaderLink::StoreReply(std::size_t offset, const std::uint8_t* bytes, std::size_t n) {
  if (offset >= kReplyBufferSize) return;
  std::memcpy(reply_.data() + offset, bytes, std::min(n, kReplyBufferSize - offset));
}

long ReaderLink::ReadSome(std::uint8_t* buf, std::size_t max, Millis wait) {
  return port_.Read({buf, max}, wait);
}

bool ReaderLink::ReadReply(std::size_t offset) { return ReadUntilCr(offset).has_value(); }

bool ReaderLink::Failed(std::string why) {
  failure_ = std::move(why);
  return false;
}

std::optional<std::size_t> ReaderLink::ReadUntilCr(std::size_t offset) {
  const auto fail = [this](const char* why) -> std::optional<std::size_t> {
    Failed(why);
    return std::nullopt;
  };
  const Millis give_up = clock_.Now() + kReplyTimeLimit;
  Millis deadline = clock_.Now() + kIdleTimeout;
  std::size_t count = 0;
  for (;;) {
    std::uint8_t chunk[4];
    // Wait one tick past the deadline so that a silent port ends the loop.
    const long n = port_.Read(chunk, std::min(deadline, give_up) - clock_.Now() + Millis(1));
    if (n < 0) return fail(kDisconnected);
    if (n > 0) {
      StoreReply(offset + count, chunk, static_cast<std::size_t>(n));
      count += static_cast<std::size_t>(n);
      deadline = clock_.Now() + kIdleTimeout;
      if (chunk[n - 1] == kCr) return count;
      if (offset + count >= kReplyBufferSize) return fail(kReplyTooLong);
    }
    if (clock_.Now() > deadline) return fail(kSilent);
    if (clock_.Now() > give_up) return fail(kNoLineEnd);
  }
}

bool ReaderLink::ReadBlock(std::string_view request, std::size_t offset) {
  for (int attempt = 0; attempt < kMaxSends; ++attempt) {
    std::array<std::uint8_t, kAttemptCopySize + 1> copy{};  // +1 keeps it a C string
    std::size_t count = 0;
    std::uint8_t last = 0;
    SendRaw(request);
    const Millis give_up = clock_.Now() + kReplyTimeLimit;
    Millis deadline = clock_.Now() + kIdleTimeout;
    bool nak = false;
    while (!nak) {
      if (last == kCr && count == kBlockReplySize) return true;
      std::uint8_t chunk[4];
      const long n = port_.Read(chunk, std::min(deadline, give_up) - clock_.Now() + Millis(1));
      if (n < 0) return Failed(kDisconnected);
      if (n > 0) {
        const auto got = static_cast<std::size_t>(n);
        if (count < kAttemptCopySize) {
          std::memcpy(copy.data() + count, chunk, std::min(got, kAttemptCopySize - count));
        }
        StoreReply(offset + count, chunk, got);
        count += got;
        last = chunk[got - 1];
        deadline = clock_.Now() + kIdleTimeout;
        if (count > kReplyBufferSize) return Failed(kReplyTooLong);
      }
      if (clock_.Now() > deadline) return Failed(count == 0 ? kSilent : kBadBlockReply);
      if (clock_.Now() > give_up) return Failed(kNoLineEnd);
      nak = std::strcmp(reinterpret_cast<const char*>(copy.data()), "NAK\r") == 0;
    }
  }
  return Failed("the reader answered NAK 4 times");
}

bool ReaderLink::SendLineConfirmed(std::string_view line) {
  for (int send = 0; send < kMaxSends; ++send) {
    if (baud_rate_ == 600) clock_.SleepFor(kSlowLinePause);
    // A port that fails or stalls is told by the missing reply.
    WriteFully(port_, clock_, AsBytes(line));

    const std::optional<std::size_t> count = ReadUntilCr(0);
    if (!count) return false;
    // The CR becomes the end of the text.
    reply_[std::min(*count, kReplyBufferSize) - 1] = 0;
    const std::string text = ReplyText();
    if (text == "ACK" || text == "DONE") return true;
  }
  return Failed("the reader did not acknowledge the line 4 times");
}

}  // namespace k470
