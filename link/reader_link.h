// The transport to the reader: opening the reader port and the receive loops
// with their 2000 ms idle deadline, on which the command protocol and the
// settings transfer are built. Everything is synchronous.
//
// The reply buffer (2048 bytes) and the attempt copy of a block read (128
// bytes) are real limits: a reply that runs past the buffer without its CR
// fails, and no reply may take longer than kReplyTimeLimit. A port that
// reports an error (the reader was unplugged) fails the exchange at once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "link/clock.h"
#include "link/protocol_layout.h"
#include "link/serial_port.h"

namespace k470 {

inline constexpr Millis kIdleTimeout{2000};
// However a reply trickles in, none may take longer than this: a device that
// keeps sending without ever ending its line must not hold a command for ever.
inline constexpr Millis kReplyTimeLimit{5000};
inline constexpr std::size_t kReplyBufferSize = 2048;
inline constexpr std::size_t kAttemptCopySize = 128;
inline constexpr int kMaxSends = 4;  // the first and up to 3 repeats
inline constexpr char kCr = '\r';

class ReaderLink {
 public:
  ReaderLink(SerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

  // Opens the reader port with the line settings; an open port is closed first.
  bool OpenReaderPort(const std::string& name, const LineSettings& settings);
  // Purges and closes the port if it is open.
  void CloseReaderPort();
  // Purges the port (see SerialPort::Purge), leaving it open.
  void FlushReaderPort();
  bool IsOpen() const { return port_.IsOpen(); }

  // Writes the bytes once; no reply is awaited and errors are ignored.
  void SendRaw(std::string_view bytes);

  // Collects a reply into the reply buffer from `offset`, 4 bytes per read,
  // until a read ends with CR. False after 2000 ms without a byte.
  bool ReadReply(std::size_t offset);

  // Sends the 8-byte block request and waits for its 33-byte reply (32 hex
  // digits and CR) at reply-buffer `offset`. A "NAK\r" answer repeats the
  // request, at most 4 requests in all; silence fails at once.
  bool ReadBlock(std::string_view request, std::size_t offset);

  // Sends the line and waits for "ACK" or "DONE" (then CR); any other reply
  // sends it again, at most 4 times. Silence fails at once.
  bool SendLineConfirmed(std::string_view line);

  // Clears the first 2046 bytes of the reply buffer, as callers do before a
  // command whose reply they compare as text.
  void ClearReply();
  // The reply buffer read as text from offset 0, up to its first 0 byte.
  std::string ReplyText() const;
  const std::array<std::uint8_t, kReplyBufferSize>& reply_buffer() const { return reply_; }

  // Reads up to `max` bytes with a wait; used by the identity query, which
  // takes replies apart line by line itself.
  long ReadSome(std::uint8_t* buf, std::size_t max, Millis wait);

  Clock& clock() { return clock_; }
  SerialPort& port() { return port_; }

  // Why the last receive failed, for messages ("no reply within 2000 ms",
  // "the reader was disconnected", ...); "" before any failure.
  const std::string& failure() const { return failure_; }
  // Records why a receive failed; the protocol and the transfer add their own.
  void SetFailure(std::string why) { failure_ = std::move(why); }

 private:
  // ReadReply's loop: the bytes collected up to and including the CR, or
  // nullopt after 2000 ms without a byte.
  std::optional<std::size_t> ReadUntilCr(std::size_t offset);
  // Stores `n` received bytes at `offset`, dropping what does not fit.
  void StoreReply(std::size_t offset, const std::uint8_t* bytes, std::size_t n);
  // Notes `why` and returns false: the end of every failed receive.
  bool Failed(std::string why);

  SerialPort& port_;
  Clock& clock_;
  int baud_rate_ = 115200;
  std::array<std::uint8_t, kReplyBufferSize> reply_{};
  std::string failure_;
};

}  // namespace k470
