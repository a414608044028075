#include "link/tracing_port.h"

#include <cstdio>

namespace k470 {

bool TracingPort::Open(const std::string& name, const LineSettings& settings) {
  return inner_.Open(name, settings);
}

long TracingPort::Write(std::span<const std::uint8_t> bytes) {
  const long n = inner_.Write(bytes);
  if (n > 0) {
    sink_(clock_.Now(), TraceDirection::kSent, std::string(bytes.begin(), bytes.begin() + n));
  }
  return n;
}

long TracingPort::Read(std::span<std::uint8_t> buf, Millis wait) {
  const long n = inner_.Read(buf, wait);
  if (n > 0) {
    sink_(clock_.Now(), TraceDirection::kReceived, std::string(buf.begin(), buf.begin() + n));
  }
  return n;
}

std::string PrintableBytes(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

}  // namespace k470
