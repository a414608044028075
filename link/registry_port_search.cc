#include "link/registry_port_search.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "link/port_discovery.h"

namespace k470 {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// "VID_1FC9&PID_0001" itself or one interface of it ("...&MI_00"), but not
// a longer product id that merely starts the same way.
bool IsReaderDeviceKey(std::string_view name, std::string_view device) {
  return StartsWithIgnoringCase(name, device) &&
         (name.size() == device.size() || name[device.size()] == '&');
}

// "USB Serial Device (COM5)" -> "COM5"; "" when the name does not end in a
// parenthesised part.
std::string PortOfFriendlyName(std::string_view friendly) {
  if (friendly.empty() || friendly.back() != ')') return {};
  const std::size_t open = friendly.rfind('(');
  if (open == std::string_view::npos) return {};
  return std::string(friendly.substr(open + 1, friendly.size() - open - 2));
}

bool IsPortName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxPortNameLength &&
         std::none_of(name.begin(), name.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

std::vector<std::string> FindReaderPortsInRegistry(const RegistryView& registry,
                                                   const std::string& vendor_id) {
  const std::string device = "VID_" + vendor_id + "&PID_" + kReaderProductId;
  const std::string root = kUsbEnumerationKey;
  std::vector<std::string> ports;
  for (const std::string& key : registry.SubkeyNames(root)) {
    if (!IsReaderDeviceKey(key, device)) continue;
    // Each device key's instances are read under that key itself, so every
    // interface of a composite reader counts.
    const std::string device_path = root + "\\" + key;
    for (const std::string& instance : registry.SubkeyNames(device_path)) {
      const std::string instance_path = device_path + "\\" + instance;
      std::string port =
          registry.StringValue(instance_path + "\\Device Parameters", "PortName").value_or("");
      if (port.empty()) {
        port = PortOfFriendlyName(registry.StringValue(instance_path, "FriendlyName").value_or(""));
      }
      if (IsPortName(port)) ports.push_back(std::move(port));
    }
  }
  return ports;
}

}  // namespace k470
