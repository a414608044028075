#include "cli/escape_text.h"

namespace k470::cli {
namespace {

std::string Escape(std::string_view text, bool quotes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  const auto hex = [&](unsigned char c) {
    out += "\\x";
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (c == '\\' || (quotes && c == '"')) {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      hex(c);
    } else if (c == 0xC2 && next >= 0x80 && next < 0xA0) {  // U+0080-U+009F
      hex(next);
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

std::string EscapeText(std::string_view text) { return Escape(text, false); }

std::string QuoteText(std::string_view text) { return '"' + Escape(text, true) + '"'; }

}  // namespace k470::cli
