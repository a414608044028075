#include "link/port_discovery.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace k470 {
namespace {

namespace fs = std::filesystem;
using Ports = std::vector<std::string>;

// A sysfs tree laid out as the kernel does it: class/tty/<name> links to the
// tty's folder, whose "device" links back up to the USB interface (or to the
// usb-serial port below it); idVendor/idProduct sit on the USB device above.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("k470_sysfs_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "class/tty");
    UsbDevice(root_ / "devices/usb1", "1d6b", "0002");  // the root hub
  }
  void TearDown() override { fs::remove_all(root_); }

  static void UsbDevice(const fs::path& dir, const std::string& vendor,
                        const std::string& product) {
    fs::create_directories(dir);
    std::ofstream(dir / "idVendor") << vendor << "\n";
    std::ofstream(dir / "idProduct") << product << "\n";
  }
  void AddTty(const std::string& name, const fs::path& driven_by) {
    const fs::path tty = driven_by / "tty" / name;
    fs::create_directories(tty);
    fs::create_directory_symlink(fs::relative(driven_by, tty), tty / "device");
    fs::create_directory_symlink(fs::relative(tty, root_ / "class/tty"),
                                 root_ / "class/tty" / name);
  }
  // A USB device with one interface carrying tty `name`; returns the device folder.
  fs::path AddUsbTty(const std::string& name, const std::string& vendor = "1fc9",
                     const std::string& product = "0001", fs::path parent = {}) {
    const fs::path dev =
        (parent.empty() ? root_ / "devices/usb1" : parent) / ("1-" + std::to_string(++devices_));
    UsbDevice(dev, vendor, product);
    AddTty(name, dev / "if1.0");
    return dev;
  }
  Ports Discover() const { return DiscoverPorts(root_.string(), "1FC9"); }

  fs::path root_;
  int devices_ = 0;
};

TEST_F(FakeSysfs, WithoutReaderOnlySelectRemains) {
  EXPECT_EQ(DiscoverPorts((root_ / "missing").string(), "1FC9"), Ports{"-Select-"});
  fs::create_directories(root_ / "devices/platform/serial8250");
  AddTty("ttyS0", root_ / "devices/platform/serial8250");
  fs::create_directories(root_ / "class/tty/tty0");  // a console: no device link
  AddUsbTty("ttyACM0", "0403");                      // another vendor
  AddUsbTty("ttyACM1", "1fc9", "0002");              // another product
  // The reader's ids on a hub do not make a foreign device below it ours.
  const fs::path hub = root_ / "devices/usb1/1-9";
  UsbDevice(hub, "1FC9", "0001");
  AddUsbTty("ttyACM2", "0403", "6001", hub);
  EXPECT_EQ(Discover(), Ports{"-Select-"});
}

TEST_F(FakeSysfs, ReadersAreListedInNumberOrderWithSelectLast) {
  AddUsbTty("ttyACM10");
  AddUsbTty("ttyACM2", "1FC9");
  // usb-serial puts the tty one level below the interface.
  const fs::path dev = AddUsbTty("ttyACM1");
  fs::create_directories(dev / "if1.0/ttyUSB0");
  AddTty("ttyUSB0", dev / "if1.0/ttyUSB0");
  EXPECT_EQ(Discover(),
            (Ports{"/dev/ttyACM1", "/dev/ttyACM2", "/dev/ttyACM10", "/dev/ttyUSB0", "-Select-"}));
}

TEST_F(FakeSysfs, RecordsAreCutTo23AndMergedByWholeName) {
  AddUsbTty("ttyK470_reader_port_A");
  AddUsbTty("ttyK470_reader_port_B");
  AddUsbTty("ttyACM1");
  AddUsbTty("ttyACM10");
  EXPECT_EQ(Discover(),
            (Ports{"/dev/ttyACM1", "/dev/ttyACM10", "/dev/ttyK470_reader_por", "-Select-"}));
}

TEST_F(FakeSysfs, ListHoldsAtMost29PortsAndSelect) {
  for (int i = 34; i >= 0; --i) AddUsbTty("ttyACM" + std::to_string(i));
  const Ports ports = Discover();
  ASSERT_EQ(ports.size(), kMaxPortRecords);
  EXPECT_EQ(ports.front(), "/dev/ttyACM0");
  EXPECT_EQ(ports[28], "/dev/ttyACM28");
  EXPECT_EQ(ports.back(), "-Select-");
}

TEST_F(FakeSysfs, DefaultVendorIsTheBuildConstant) {
  AddUsbTty("ttyACM0", kReaderVendorId);
  EXPECT_EQ(DiscoverPorts(root_.string()), (Ports{"/dev/ttyACM0", "-Select-"}));
}

}  // namespace
}  // namespace k470
