#include "sim/reader_numbering.h"

#include <cctype>
#include <cstdint>

namespace k470::sim {
namespace {

std::string Suffixed(const std::string& text, int k) {
  return k <= 1 ? text : text + "-" + std::to_string(k);
}

}  // namespace

std::string NthSerialNumber(const std::string& first, int k) {
  std::size_t digits_at = first.size();
  while (digits_at > 0 && std::isdigit(static_cast<unsigned char>(first[digits_at - 1]))) {
    --digits_at;
  }
  const std::size_t width = first.size() - digits_at;
  if (width == 0 || width > 18) return Suffixed(first, k);
  std::string number =
      std::to_string(std::stoull(first.substr(digits_at)) + static_cast<unsigned long long>(k - 1));
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return first.substr(0, digits_at) + number;
}

std::string NthBtMacId(const std::string& first, int k) {
  std::uint64_t value = 0;
  int digits = 0;
  for (char c : first) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) continue;
    value = value << 4 | static_cast<std::uint64_t>(std::stoi(std::string(1, c), nullptr, 16));
    ++digits;
  }
  if (digits != 12) return Suffixed(first, k);
  value = (value + static_cast<std::uint64_t>(k - 1)) & 0xFFFF'FFFF'FFFFull;
  std::string mac = first;
  int shift = 44;
  for (char& c : mac) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) continue;
    c = "0123456789ABCDEF"[(value >> shift) & 0xF];
    shift -= 4;
  }
  return mac;
}

std::string NthPath(const std::string& path, int k, int count) {
  if (path.empty() || count <= 1) return path;
  return path + "-" + std::to_string(k);
}

}  // namespace k470::sim
