#include "link/reader_protocol.h"

#include <array>

#include "link/protocol_layout.h"

namespace k470 {
namespace {

constexpr std::size_t kCommandBufferSize = 1024;
constexpr Millis kIdentityPause{100};
constexpr Millis kServicePause{200};

}  // namespace

bool IsAcceptedModel(const std::string& device_type) {
  if (device_type.size() < kModelCodeAt + kModelCodeLength) return false;
  const std::string code = device_type.substr(kModelCodeAt, kModelCodeLength);
  return code == "K471" || code == "K472" || code == "K473";
}

int QueryIdentity(ReaderLink& link, DeviceInfo& info) {
  link.ClearReply();
  link.clock().SleepFor(kIdentityPause);
  link.SendRaw(command::kIdentity);

  std::array<std::string*, kIdentityLineCount> lines = {nullptr,
                                                        &info.device_type,
                                                        &info.serial_number,
                                                        &info.kernel_version,
                                                        &info.user_version,
                                                        &info.bt_mac_id};
  for (std::size_t i = 1; i < lines.size(); ++i) lines[i]->clear();

  // Read until the sixth line is complete. Stopping at the first read that
  // happens to end with CR would cut the answer wherever the serial driver
  // splits it (after the first line, even), and a good reader would then be
  // refused as another model. Five complete lines followed by silence still
  // count as an answer; fewer are no answer.
  std::size_t line = 0;
  std::size_t received = 0;
  const Millis give_up = link.clock().Now() + kReplyTimeLimit;
  Millis deadline = link.clock().Now() + kIdleTimeout;
  while (line < lines.size()) {
    std::uint8_t chunk[50];
    const long n = link.ReadSome(chunk, sizeof chunk,
                                 std::min(deadline, give_up) - link.clock().Now() + Millis(1));
    if (n < 0) {
      link.SetFailure("the reader was disconnected");
      return kIdentityNoAnswer;
    }
    // A device that floods the line or never ends it is no reader.
    received += static_cast<std::size_t>(n);
    if (received > kReplyBufferSize || link.clock().Now() > give_up) {
      link.SetFailure("an identity reply that never ended");
      return kIdentityNoAnswer;
    }
    for (long i = 0; i < n; ++i) {
      const std::uint8_t byte = chunk[i] == 0 ? ' ' : chunk[i];
      if (byte == kCr) {
        ++line;
        continue;
      }
      // Each text keeps at most 63 characters; the rest of a long line is
      // dropped rather than spilled into the next text.
      if (line >= 1 && line < lines.size() && lines[line]->size() < kDeviceTextMax) {
        lines[line]->push_back(static_cast<char>(byte));
      }
    }
    if (n > 0) deadline = link.clock().Now() + kIdleTimeout;
    if (link.clock().Now() > deadline) {
      if (line >= kIdentityLineCount - 1) break;
      link.SetFailure(received == 0 ? "no reply within 2000 ms" : "an incomplete identity reply");
      return kIdentityNoAnswer;
    }
  }
  return IsAcceptedModel(info.device_type) ? kIdentityAccepted : kIdentityOtherModel;
}

std::string ServiceResultText(ServiceQuery query, const std::string& reply) {
  std::string text;
  switch (query) {
    case ServiceQuery::kBattery:
      text = "The Battery Voltage is: " +
             (reply.size() > kServiceResultAt ? reply.substr(kServiceResultAt) : std::string());
      break;
    case ServiceQuery::kMemorySize: {
      std::string value = reply.empty() ? reply : reply.substr(0, reply.size() - 1);
      text = "The Free Memory Size is: " +
             (value.size() > kServiceResultAt ? value.substr(kServiceResultAt) : std::string()) +
             " KB";
      break;
    }
    case ServiceQuery::kClearMemory:
      break;
  }
  if (text.size() > kCommandBufferSize - 1) text.resize(kCommandBufferSize - 1);
  return text;
}

std::optional<std::string> RunServiceQuery(ReaderLink& link, ServiceQuery query) {
  std::string_view cmd = command::kBattery;
  if (query == ServiceQuery::kMemorySize) cmd = command::kMemorySize;
  if (query == ServiceQuery::kClearMemory) cmd = command::kMemoryClear;

  link.ClearReply();
  link.clock().SleepFor(kServicePause);
  link.SendRaw(cmd);
  if (!link.ReadReply(0)) return std::nullopt;
  const std::string reply = link.ReplyText();
  if (!reply.starts_with(kServiceOk)) return std::nullopt;
  return ServiceResultText(query, reply);
}

bool SendExpectingOk(ReaderLink& link, std::string_view command, Millis pause) {
  link.ClearReply();
  if (pause.count() > 0) link.clock().SleepFor(pause);
  link.SendRaw(command);
  return link.ReadReply(0) && link.ReplyText() == "OK\r";
}

}  // namespace k470
