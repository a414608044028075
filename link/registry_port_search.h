// Finds the reader's COM ports in the Windows registry: the USB enumeration
// keys of the reader's vendor and product ids and the port names their
// device instances were given. The registry is reached through RegistryView,
// so tests feed the search a tree of their own; windows_registry.h is the
// real one.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k470 {

// Read-only access to one registry hive. Paths are key names joined by "\".
class RegistryView {
 public:
  virtual ~RegistryView() = default;
  // The names of the subkeys of `path` in the registry's order; none when the
  // key cannot be opened.
  virtual std::vector<std::string> SubkeyNames(const std::string& path) const = 0;
  // The text of the string value `name` of the key at `path`; nothing when
  // the key or the value is missing or holds no text.
  virtual std::optional<std::string> StringValue(const std::string& path,
                                                 const std::string& name) const = 0;
};

// Where Windows lists every USB device it has seen, under HKEY_LOCAL_MACHINE.
inline constexpr char kUsbEnumerationKey[] = "SYSTEM\\CurrentControlSet\\Enum\\USB";

// The COM port names of the reader's device instances, in registry order,
// duplicates included. The reader's keys under kUsbEnumerationKey are
// "VID_<vendor_id>&PID_0001", followed by "&MI_nn" for one interface of a
// composite device (names compared ignoring case). An instance gives the
// "PortName" value of its "Device Parameters" key; without one, the last
// parenthesised part that ends its "FriendlyName" ("K470 Serial (COM5)"
// gives COM5). Instances with neither, or with a name of more than 255
// bytes, give nothing.
std::vector<std::string> FindReaderPortsInRegistry(const RegistryView& registry,
                                                   const std::string& vendor_id);

}  // namespace k470
