// What discovery is the same for on every platform: the reader's ids and
// the order of the port list.
#include <algorithm>
#include <cctype>

#include "link/port_discovery.h"
#include "link/port_list_order.h"

#ifndef K470_USB_VENDOR_ID
#error "K470_USB_VENDOR_ID must be set by the build (four hex digits)"
#endif

namespace k470 {

const char kReaderVendorId[] = K470_USB_VENDOR_ID;

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

bool PortNameLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t a_end = i;
      while (a_end < a.size() && IsDigit(a[a_end])) ++a_end;
      std::size_t b_end = j;
      while (b_end < b.size() && IsDigit(b[b_end])) ++b_end;
      while (i + 1 < a_end && a[i] == '0') ++i;
      while (j + 1 < b_end && b[j] == '0') ++j;
      const std::string_view a_digits = a.substr(i, a_end - i);
      const std::string_view b_digits = b.substr(j, b_end - j);
      if (a_digits.size() != b_digits.size()) return a_digits.size() < b_digits.size();
      if (a_digits != b_digits) return a_digits < b_digits;
      i = a_end;
      j = b_end;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if ((i == a.size()) != (j == b.size())) return i == a.size();
  return a < b;
}

std::vector<std::string> OrderedPortList(std::vector<std::string> ports, std::size_t max_ports) {
  std::sort(ports.begin(), ports.end(), PortNameLess);
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  if (ports.size() > max_ports) ports.resize(max_ports);
  ports.emplace_back(kNoPortRecord);
  return ports;
}

}  // namespace k470
