// The pty server's own behaviour: a port closed and reopened like a serial
// port's, a prompt Stop, uploads beyond the pty's buffer and paced replies.
#include "sim/pty_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace k470::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Waits for a condition the server thread brings about. The bound only ends
// a test that failed; a loaded machine must never reach it.
template <typename Done>
bool WaitFor(Done done) {
  for (int i = 0; i < 10000 && !done(); ++i) std::this_thread::sleep_for(milliseconds(1));
  return done();
}

// The slave opened the way the host program opens its serial port.
struct HostPort {
  explicit HostPort(const std::string& path)
      : fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    if (fd >= 0 && (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)) {
      ::close(fd);
      fd = -1;
    }
  }
  ~HostPort() {
    if (fd >= 0) ::close(fd);
  }
  bool Write(const std::string& bytes) {
    return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  int Waiting() const {
    int waiting = 0;
    return ::ioctl(fd, FIONREAD, &waiting) == 0 ? waiting : 0;
  }

  // Reads until the text ends with `end`, or until ten seconds pass without a byte.
  std::string ReadUntil(const std::string& end) {
    std::string text;
    char buf[256];
    for (pollfd p{fd, POLLIN, 0}; !text.ends_with(end) && ::poll(&p, 1, 10000) > 0;) {
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n <= 0) break;
      text.append(buf, static_cast<std::size_t>(n));
    }
    return text;
  }

  int fd;
};

// Once the server has seen the host's close, it clears the exclusive flag the
// host set: without that, an unprivileged host could not open the port again.
bool WaitUntilHostGone(const std::string& path) {
  return WaitFor([&] {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK), exclusive = 1;
    if (fd >= 0) ::ioctl(fd, TIOCGEXCL, &exclusive);
    if (fd >= 0) ::close(fd);
    return exclusive == 0;
  });
}

TEST(PtyReader, PortCanBeClosedAndReopenedLikeASerialPortAndStopped) {
  PtyReader reader;
  std::string error;
  ASSERT_TRUE(reader.Start(&error)) << error;
  EXPECT_FALSE(reader.Start(&error)) << "already running";
  const std::string path = reader.device_path();
  {
    HostPort host(path);
    ASSERT_GE(host.fd, 0);
    auto leave_unread_reply_and_partial_line = [&] {
      ASSERT_TRUE(host.Write("READ_U\r"));
      ASSERT_TRUE(WaitFor([&] { return host.Waiting() > 0; }));
      ASSERT_TRUE(host.Write("#@SYS_BAT"));
      ASSERT_TRUE(WaitFor([&] {
        std::size_t partial = 0;
        reader.WithReader([&](VirtualReader& r) { partial = r.partial_line_size(); });
        return partial == 9;
      }));
    };
    // A refused second opener closes again; that close is not the host's.
    ASSERT_NO_FATAL_FAILURE(leave_unread_reply_and_partial_line());
    EXPECT_LT(HostPort(path).fd, 0) << "the port is the first host's alone";
    ASSERT_TRUE(host.Write("TERY?\r"));
    EXPECT_EQ(host.ReadUntil("OK 3.95V\r"), "OK\rOK 3.95V\r");
    // When the host itself closes, both are forgotten.
    ASSERT_NO_FATAL_FAILURE(leave_unread_reply_and_partial_line());
  }
  ASSERT_TRUE(WaitUntilHostGone(path));

  for (int round = 0; round < 2; ++round) {  // as the host does for consecutive operations
    HostPort host(path);
    ASSERT_GE(host.fd, 0) << round;
    ASSERT_TRUE(host.Write("#@SYS_BATTERY?\r"));
    EXPECT_EQ(host.ReadUntil("\r"), "OK 3.95V\r") << round;
  }
  EXPECT_TRUE(WaitUntilHostGone(path)) << "the host's exclusive flag outlived its close";

  // Stop returns whatever a connected host does (a hang would end the test
  // by ctest's time-out); the host sees a hang-up.
  HostPort host(path);
  ASSERT_TRUE(host.Write("#@SYS_BAT"));
  reader.Stop();
  pollfd p{host.fd, POLLIN, 0};
  EXPECT_TRUE(::poll(&p, 1, 10000) == 1 && (p.revents & POLLHUP));
}

TEST(PtyReader, UploadBeyondThePtyBufferAndPacedRepliesKeepTheirTiming) {
  ReaderConfig config;
  config.memorized_data = MakeMemorizedData(4000);  // 104 KB, beyond what the pty holds
  config.upload_chunk = 40000;                      // three pieces, two gaps
  config.upload_gap = milliseconds(50);
  PtyReader reader(config);
  ASSERT_TRUE(reader.Start(nullptr));
  HostPort host(reader.device_path());
  auto start = Clock::now();
  ASSERT_TRUE(host.Write("#@SYS_MEMUP\r"));
  // Like the host, start reading only after the reader has filled the buffer.
  ASSERT_TRUE(WaitFor([&] { return host.Waiting() >= 4000; }));
  EXPECT_EQ(host.ReadUntil("OK\r"), config.memorized_data + "OK\r");
  EXPECT_GE(Clock::now() - start, milliseconds(100));

  // At 2000 baud, 5 ms a byte, the last of 9 bytes cannot leave before 8
  // byte times. Only this lower bound holds on a busy machine.
  reader.WithReader([](VirtualReader& r) { r.config().pacing.baud = 2000; });
  start = Clock::now();
  ASSERT_TRUE(host.Write("#@SYS_BATTERY?\r"));
  EXPECT_EQ(host.ReadUntil("\r"), "OK 3.95V\r");
  EXPECT_GE(Clock::now() - start, milliseconds(40));
}

}  // namespace
}  // namespace k470::sim
