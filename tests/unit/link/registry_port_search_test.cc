// Finding the reader's COM ports in a registry tree laid out as Windows lays
// out its USB enumeration; runs on every platform over a tree in memory.
#include "link/registry_port_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "link/port_discovery.h"
#include "link/port_list_order.h"

namespace k470 {
namespace {

using Ports = std::vector<std::string>;

// Keys listed in the order they were added, as a registry enumerates them.
class FakeRegistry : public RegistryView {
 public:
  // One device instance under SYSTEM\...\Enum\USB\<device>, with its
  // FriendlyName and its Device Parameters\PortName when given ("" = none).
  void Instance(const std::string& device, const std::string& instance,
                const std::string& friendly_name, const std::string& port_name) {
    const std::string key = Add(std::string(kUsbEnumerationKey) + "\\" + device, instance);
    if (!friendly_name.empty()) values_[{key, "FriendlyName"}] = friendly_name;
    if (!port_name.empty()) values_[{Add(key, "Device Parameters"), "PortName"}] = port_name;
  }

  std::vector<std::string> SubkeyNames(const std::string& path) const override {
    const auto it = subkeys_.find(path);
    return it == subkeys_.end() ? std::vector<std::string>{} : it->second;
  }
  std::optional<std::string> StringValue(const std::string& path,
                                         const std::string& name) const override {
    const auto it = values_.find({path, name});
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }

 private:
  // Adds every missing key on the way to parent\child; returns that path.
  std::string Add(const std::string& parent, const std::string& child) {
    const auto slash = parent.rfind('\\');
    if (slash != std::string::npos && !subkeys_.contains(parent)) {
      Add(parent.substr(0, slash), parent.substr(slash + 1));
    }
    auto& children = subkeys_[parent];
    if (std::find(children.begin(), children.end(), child) == children.end()) {
      children.push_back(child);
    }
    return parent + "\\" + child;
  }

  std::map<std::string, std::vector<std::string>> subkeys_;
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

TEST(RegistryPortSearchTest, OnlyTheReadersDeviceKeysGivePorts) {
  FakeRegistry registry;
  EXPECT_EQ(FindReaderPortsInRegistry(registry, "1FC9"), Ports{}) << "no USB root at all";
  registry.Instance("VID_0403&PID_6001", "A1", "USB Serial Port (COM3)", "COM3");
  registry.Instance("VID_1FC9&PID_0002", "5&1", "K470 (COM4)", "COM4");   // another product
  registry.Instance("VID_1FC9&PID_00011", "5&2", "K470 (COM6)", "COM6");  // a longer product id
  registry.Instance("VID_1FC90&PID_0001", "5&3", "K470 (COM8)", "COM8");  // a longer vendor id
  registry.Instance("ROOT_HUB20", "4&1", "USB Root Hub", "");
  EXPECT_EQ(FindReaderPortsInRegistry(registry, "1FC9"), Ports{});

  // The ids in any case; every interface of a composite reader, each read
  // under its own key.
  registry.Instance("vid_1fc9&pid_0001", "6&10", "K470 (COM5)", "COM5");
  registry.Instance("VID_1FC9&PID_0001&MI_02", "7&2&0002", "K470 (COM12)", "COM12");
  EXPECT_EQ(FindReaderPortsInRegistry(registry, "1FC9"), (Ports{"COM5", "COM12"}));
}

TEST(RegistryPortSearchTest, PortNameComesFirstThenTheFriendlyNamesLastParentheses) {
  FakeRegistry registry;
  const std::string reader = "VID_1FC9&PID_0001";
  registry.Instance(reader, "1", "Renamed by the user (old)", "COM9");
  registry.Instance(reader, "2", "Port (A) (COM7)", "");
  registry.Instance(reader, "3", "USB Serial Device", "");   // no parentheses
  registry.Instance(reader, "4", "Port (COM11) spare", "");  // not at the end
  registry.Instance(reader, "5", "", "");                    // nothing at all
  registry.Instance(reader, "6", "Long (" + std::string(256, 'C') + ")", "");
  registry.Instance(reader, "7", "Empty ()", "");
  EXPECT_EQ(FindReaderPortsInRegistry(registry, "1FC9"), (Ports{"COM9", "COM7"}));
}

TEST(RegistryPortSearchTest, TheListHoldsEachPortOnceInNumberOrder) {
  FakeRegistry registry;
  const std::string reader = "VID_1FC9&PID_0001";
  // COM1 and COM10 share their first characters: both stay.
  int instance = 0;
  for (const char* port : {"COM10", "COM2", "COM1", "COM2"}) {
    registry.Instance(reader, std::to_string(++instance), "", port);
  }
  EXPECT_EQ(OrderedPortList(FindReaderPortsInRegistry(registry, "1FC9"), kMaxPortRecords - 1),
            (Ports{"COM1", "COM2", "COM10", "-Select-"}));
}

}  // namespace
}  // namespace k470
