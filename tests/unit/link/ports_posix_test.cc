// Finding and opening the reader's port on POSIX: discovery over a fake
// sysfs tree and PosixSerialPort over a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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
  // A by-id link as udev makes it: relative, two levels up to the device node.
  std::string ById(const std::string& link, const std::string& target) {
    fs::create_directories(dev_ / "serial/by-id");
    fs::create_symlink(target, dev_ / "serial/by-id" / link);
    return (dev_ / "serial/by-id" / link).string();
  }
  std::string Dev(const std::string& tty) const { return (dev_ / tty).string(); }
  Ports Discover() const { return DiscoverPorts(root_.string(), dev_.string(), "1FC9"); }

  const fs::path root_ = fs::path(::testing::TempDir()) / ("k470_" + std::to_string(::getpid()));
  const fs::path dev_ = root_ / "dev";
};

using DiscoveryTest = TempTree;

TEST_F(DiscoveryTest, WithoutReaderOnlySelectRemains) {
  EXPECT_EQ(DiscoverPorts((root_ / "missing").string(), Dev(""), "1FC9"), Ports{"-Select-"});
  Tty("ttyS0", root_ / "devices/platform/serial8250");                // no USB device above
  fs::create_directories(root_ / "class/tty/tty0");                   // a console: no device link
  Tty("ttyACM0", Usb("devices/usb1/1-1", "0403", "0001") / "if1.0");  // another vendor
  Tty("ttyACM1", Usb("devices/usb1/1-2", "1fc9", "0002") / "if1.0");  // another product
  // The reader's ids on a hub do not make a foreign device below it ours.
  Usb("devices/usb1/1-3", "1FC9", "0001");
  Tty("ttyACM2", Usb("devices/usb1/1-3/1-3.1", "0403", "6001") / "if1.0");
  ById("usb-FTDI_Serial-if00", "../../ttyACM0");  // stable names make nothing ours either
  EXPECT_EQ(Discover(), Ports{"-Select-"});
}

// Number order and "-Select-" last: ListHoldsAtMost29PortsAndSelect.
TEST_F(DiscoveryTest, ReadersGoByTheirStableNameWhenUdevGaveThemOne) {
  Reader("ttyACM0", 1);
  // No by-id link: its tty, kept whole however long (a cut name names no device).
  const std::string long_tty = "ttyK470_" + std::string(60, 'r');
  Reader(long_tty, 2);
  Tty("ttyUSB0", Usb("devices/usb1/1-3", "0403", "6001") / "if0.0");
  const std::string reader = ById("usb-K470_UHF_RFID_Reader_K471-000123-if00", "../../ttyACM0");
  ById("usb-K470_UHF_RFID_Reader_K471-000123-if02", "../../ttyACM0");  // the first name wins
  ById("usb-FTDI_FT232R_A1B2C3-if00-port0", "../../ttyUSB0");          // another vendor's
  ById("usb-stale-link-if00", "../../ttyACM7");                        // a device now gone
  EXPECT_EQ(Discover(), (Ports{reader, Dev(long_tty), "-Select-"}));

  // What the link leads to now, as "k470ctl ports" shows it.
  std::ofstream(dev_ / "ttyACM0").put('\0');
  EXPECT_EQ(CurrentDeviceOf(reader), fs::canonical(dev_ / "ttyACM0").string());
  EXPECT_EQ(CurrentDeviceOf(Dev(long_tty)), Dev(long_tty));
  EXPECT_EQ(CurrentDeviceOf(Dev("serial/by-id/usb-stale-link-if00")),
            Dev("serial/by-id/usb-stale-link-if00"));
}

TEST_F(DiscoveryTest, ListHoldsAtMost29PortsAndSelect) {
  for (int i = 34; i >= 0; --i) Reader("ttyACM" + std::to_string(i), i);
  const Ports ports = Discover();
  ASSERT_EQ(ports.size(), kMaxPortRecords);
  EXPECT_EQ(ports.front(), Dev("ttyACM0"));
  EXPECT_EQ(ports[28], Dev("ttyACM28"));
  EXPECT_EQ(ports.back(), "-Select-");
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

TEST(PosixSerialPortTest, OnlyTerminalDevicesAreOpenedAndNothingIsWrittenToTheRest) {
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("k470_nottys_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "victim.K470") << "settings that must stay";
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const std::pair<fs::path, const char*> cases[] = {
      {dir / "victim.K470", "a regular file"},
      {dir / "fifo", "a FIFO"},
      {"/dev/null", "not a terminal device"},
      {dir, "Is a directory"},
  };
  PosixSerialPort port;
  for (const auto& [path, why] : cases) {
    EXPECT_FALSE(port.Open(path.string(), LineSettings{})) << path;
    EXPECT_NE(port.last_error().find(why), std::string::npos) << port.last_error();
    EXPECT_FALSE(PortCanBeOpened(path.string())) << path;
  }
  std::ifstream in(dir / "victim.K470");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "settings that must stay");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace k470
