// Discovery on Linux: the tty devices in sysfs whose USB device is the reader.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <string_view>
#include <system_error>

#include "link/port_discovery.h"
#include "link/port_list_order.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;

// sysfs puts a USB device a handful of levels above its tty; the bound only
// guards against a tree that never ends.
constexpr int kMaxWalkDepth = 32;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The first line of a small sysfs attribute file, without surrounding blanks;
// empty when the file cannot be read.
std::string ReadAttribute(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  const auto is_blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!line.empty() && is_blank(line.back())) line.pop_back();
  const auto first = std::find_if_not(line.begin(), line.end(), is_blank);
  return std::string(first, line.end());
}

// `device` is the tty's link to its USB interface (or to whatever else drives
// it). The nearest ancestor with idVendor and idProduct is the USB device;
// a tty without one (virtual consoles, on-board UARTs) is not ours.
bool BelongsToReader(const fs::path& device, const std::string& vendor_id) {
  std::error_code ec;
  fs::path dir = fs::canonical(device, ec);
  if (ec) return false;
  for (int depth = 0; depth < kMaxWalkDepth; ++depth) {
    const fs::path vendor_file = dir / "idVendor";
    const fs::path product_file = dir / "idProduct";
    if (fs::is_regular_file(vendor_file, ec) && fs::is_regular_file(product_file, ec)) {
      return EqualsIgnoringCase(ReadAttribute(vendor_file), vendor_id) &&
             EqualsIgnoringCase(ReadAttribute(product_file), kReaderProductId);
    }
    const fs::path parent = dir.parent_path();
    if (parent == dir) break;
    dir = parent;
  }
  return false;
}

// The by-id links under `dev_root`, keyed by the device each points to. Of
// several links to one device the first by name wins, so the choice does not
// depend on the order the directory lists them in.
std::map<fs::path, std::string> StableNames(const fs::path& dev_root) {
  std::map<fs::path, std::string> names;
  const fs::path by_id = dev_root / "serial" / "by-id";
  std::error_code ec;
  fs::directory_iterator it(by_id, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code link_ec;
    const fs::path target = fs::read_symlink(it->path(), link_ec);
    if (link_ec) continue;
    // udev writes "../../ttyACM0"; resolve it by hand so a tree under a test
    // root maps the same way as /dev itself.
    const fs::path device = (by_id / target).lexically_normal();
    const std::string name = it->path().string();
    if (name.size() > kMaxPortNameLength) continue;  // a cut path would name nothing
    auto [slot, added] = names.emplace(device, name);
    if (!added && PortNameLess(name, slot->second)) slot->second = name;
  }
  return names;
}

}  // namespace

std::vector<std::string> DiscoverPorts(const std::string& sysfs_root, const std::string& dev_root,
                                       const std::string& vendor_id, std::size_t max_ports) {
  const std::map<fs::path, std::string> stable = StableNames(dev_root);
  std::vector<std::string> ports;
  std::error_code ec;
  fs::directory_iterator it(fs::path(sysfs_root) / "class" / "tty", ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    if (!BelongsToReader(it->path() / "device", vendor_id)) continue;
    const fs::path device = (fs::path(dev_root) / it->path().filename()).lexically_normal();
    const auto by_id = stable.find(device);
    std::string record = by_id != stable.end() ? by_id->second : device.string();
    if (record.size() > kMaxPortNameLength) continue;
    ports.push_back(std::move(record));
  }
  return OrderedPortList(std::move(ports), max_ports);
}

std::string CurrentDeviceOf(const std::string& port) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(port, ec))) return port;
  const fs::path device = fs::canonical(port, ec);
  return ec ? port : device.string();
}

}  // namespace k470
