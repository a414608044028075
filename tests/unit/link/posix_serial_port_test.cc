#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace k470 {
namespace {

// A pseudo-terminal whose slave side stands in for the reader's port.
class Pty {
 public:
  Pty() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      slave_name_ = ::ptsname(master_);
    }
  }
  ~Pty() {
    if (master_ >= 0) ::close(master_);
  }
  const std::string& slave_name() const { return slave_name_; }
  int master() const { return master_; }

 private:
  int master_;
  std::string slave_name_;
};

TEST(PosixSerialPortTest, OpenFailuresSayWhichStepFailed) {
  Pty pty;
  ASSERT_FALSE(pty.slave_name().empty());
  PosixSerialPort port;

  EXPECT_FALSE(port.Open("/dev/no-such-reader", LineSettings{}));
  EXPECT_EQ(port.last_open_failure(), OpenFailure::kCannotOpen);
  EXPECT_FALSE(port.IsOpen());

  LineSettings unknown_baud;
  unknown_baud.baud_index = 42;
  EXPECT_FALSE(port.Open(pty.slave_name(), unknown_baud));
  EXPECT_EQ(port.last_open_failure(), OpenFailure::kLineSettingsRefused);
  EXPECT_FALSE(port.IsOpen());

  // The refused open left nothing behind: the next one succeeds.
  ASSERT_TRUE(port.Open(pty.slave_name(), LineSettings{}));
  EXPECT_TRUE(port.IsOpen());
}

TEST(PosixSerialPortTest, SecondOpenerIsRefusedUntilTheFirstCloses) {
  Pty pty;
  ASSERT_FALSE(pty.slave_name().empty());
  PosixSerialPort first;
  PosixSerialPort second;
  ASSERT_TRUE(first.Open(pty.slave_name(), LineSettings{}));
  EXPECT_FALSE(second.Open(pty.slave_name(), LineSettings{}));
  EXPECT_EQ(second.last_open_failure(), OpenFailure::kCannotOpen);
  EXPECT_FALSE(PortCanBeOpened(pty.slave_name()));

  first.Close();
  EXPECT_TRUE(PortCanBeOpened(pty.slave_name()));
  EXPECT_TRUE(second.Open(pty.slave_name(), LineSettings{}));
}

}  // namespace
}  // namespace k470
