// Finding, remembering and opening the reader's port: discovery over a fake
// sysfs tree, the .ini file, and PosixSerialPort over a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/com_port_settings.h"
#include "link/port_discovery.h"
#include "link/posix_serial_port.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Ports = std::vector<std::string>;

class TempTree : public ::testing::Test {
 protected:
  TempTree() { fs::create_directories(root_ / "class/tty"); }
  ~TempTree() override { fs::remove_all(root_); }

  // A USB device's folder with its ids.
  fs::path Usb(const std::string& dir, const std::string& vendor, const std::string& product) {
    fs::create_directories(root_ / dir);
    std::ofstream(root_ / dir / "idVendor") << vendor << "\n";
    std::ofstream(root_ / dir / "idProduct") << product << "\n";
    return root_ / dir;
  }
  // As the kernel lays it out: class/tty/<name> links to the tty's folder below
  // `driver`, whose "device" links back up to it.
  void Tty(const std::string& name, const fs::path& driver) {
    const fs::path tty = driver / "tty" / name;
    fs::create_directories(tty);
    fs::create_directory_symlink(fs::relative(driver, tty), tty / "device");
    fs::create_directory_symlink(fs::relative(tty, root_ / "class/tty"),
                                 root_ / "class/tty" / name);
  }
  // A reader (vendor 1FC9, product 0001) in USB port `n` whose interface carries tty `name`.
  void Reader(const std::string& name, int n) {
    Tty(name, Usb("devices/usb1/1-" + std::to_string(n), "1fc9", "0001") / "if1.0");
  }
  Ports Discover() const { return DiscoverPorts(root_.string(), "1FC9"); }

  const fs::path root_ = fs::path(::testing::TempDir()) / ("k470_" + std::to_string(::getpid()));
};

using DiscoveryTest = TempTree;

TEST_F(DiscoveryTest, WithoutReaderOnlySelectRemains) {
  EXPECT_EQ(DiscoverPorts((root_ / "missing").string(), "1FC9"), Ports{"-Select-"});
  Tty("ttyS0", root_ / "devices/platform/serial8250");                // no USB device above
  fs::create_directories(root_ / "class/tty/tty0");                   // a console: no device link
  Tty("ttyACM0", Usb("devices/usb1/1-1", "0403", "0001") / "if1.0");  // another vendor
  Tty("ttyACM1", Usb("devices/usb1/1-2", "1fc9", "0002") / "if1.0");  // another product
  // The reader's ids on a hub do not make a foreign device below it ours.
  Usb("devices/usb1/1-3", "1FC9", "0001");
  Tty("ttyACM2", Usb("devices/usb1/1-3/1-3.1", "0403", "6001") / "if1.0");
  EXPECT_EQ(Discover(), Ports{"-Select-"});
}

TEST_F(DiscoveryTest, ReadersAreListedOnceInNumberOrderWithSelectLast) {
  Reader("ttyACM10", 1);
  Reader("ttyACM2", 2);
  // Names equal in their first 23 characters are one record.
  Reader("ttyK470_reader_port_A", 3);
  Reader("ttyK470_reader_port_B", 4);
  EXPECT_EQ(Discover(),
            (Ports{"/dev/ttyACM2", "/dev/ttyACM10", "/dev/ttyK470_reader_por", "-Select-"}));
}

TEST_F(DiscoveryTest, ListHoldsAtMost29PortsAndSelect) {
  for (int i = 34; i >= 0; --i) Reader("ttyACM" + std::to_string(i), i);
  const Ports ports = Discover();
  ASSERT_EQ(ports.size(), kMaxPortRecords);
  EXPECT_EQ(ports.front(), "/dev/ttyACM0");
  EXPECT_EQ(ports[28], "/dev/ttyACM28");
  EXPECT_EQ(ports.back(), "-Select-");
}

using IniFileTest = TempTree;

TEST_F(IniFileTest, PortLineRoundTripsAndUnreadableNamesAreRefused) {
  const std::string folder = (root_ / "new/K470Configuration").string();
  std::ifstream in;
  ASSERT_TRUE(WriteConfiguredPort(folder, "/dev/ttyACM0"));
  ASSERT_TRUE(WriteConfiguredPort(folder, "COM7"));  // replaces the longer line
  EXPECT_FALSE(WriteConfiguredPort(folder, "/dev/tty\r\n#x"));
  EXPECT_FALSE(WriteConfiguredPort(folder, std::string(24, 'a')));
  in.open(folder + "/" + kIniFileName, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "@ComPort#COM7\r\n");
  EXPECT_EQ(ReadConfiguredPort(folder), "COM7");
  ASSERT_TRUE(WriteConfiguredPort(folder, ""));
  EXPECT_EQ(ReadConfiguredPort(folder), "");
}

TEST_F(IniFileTest, DamagedFilesGiveNoPortOrTheNameTheyHold) {
  EXPECT_EQ(ReadConfiguredPort(root_.string()), "");  // no file
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"@ComPort/dev/ttyACM0\r\n", ""},
      {"@ComPort#/dev/ttyAC", "/dev/ttyAC"},
      {"@ComPort#/dev/ttyACM3\n@ComPort#x\r\n", "/dev/ttyACM3"},
      {"@ComPort#a#b\r\n", "a#b"},
      {"@ComPort#" + std::string(24, 'p') + "\r\n", ""},
      {"@ComPort#/dev/tty\0ACM0\r\n"s, ""},
      {std::string(2040, 'x') + "#ttyACM0\r\n", "tty"},  // read stops at 2044 bytes
  };
  for (const auto& [contents, port] : cases) {
    std::ofstream(root_ / kIniFileName, std::ios::binary) << contents;
    EXPECT_EQ(ReadConfiguredPort(root_.string()), port) << contents.size();
  }
}

TEST(PosixSerialPortTest, OpenFailuresSayWhichStepFailedAndOpenIsExclusive) {
  // The slave side of a pseudo-terminal stands in for the reader's port.
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
  const std::string name = ::ptsname(master);
  PosixSerialPort first, second;
  EXPECT_FALSE(first.Open("/dev/no-such-reader", LineSettings{}));
  EXPECT_EQ(first.last_open_failure(), OpenFailure::kCannotOpen);
  EXPECT_FALSE(first.Open(name, LineSettings{.baud_index = 42}));
  EXPECT_EQ(first.last_open_failure(), OpenFailure::kLineSettingsRefused);
  EXPECT_FALSE(first.IsOpen());

  // The refused open left nothing behind; the next open holds the port alone.
  ASSERT_TRUE(first.Open(name, LineSettings{}));
  EXPECT_FALSE(second.Open(name, LineSettings{}));
  EXPECT_EQ(second.last_open_failure(), OpenFailure::kCannotOpen);
  EXPECT_FALSE(PortCanBeOpened(name));
  first.Close();
  EXPECT_TRUE(PortCanBeOpened(name));
  EXPECT_TRUE(second.Open(name, LineSettings{}));
  ::close(master);
}

}  // namespace
}  // namespace k470
