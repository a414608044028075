#include "sim/pty_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace k470::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Polls `done` until it holds or two seconds pass.
bool WaitFor(const std::function<bool()>& done) {
  for (auto end = Clock::now() + std::chrono::seconds(2); Clock::now() < end;) {
    if (done()) return true;
    std::this_thread::sleep_for(milliseconds(1));
  }
  return done();
}

// The slave opened the way the host program opens its serial port.
class HostPort {
 public:
  explicit HostPort(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios tio{};
    if (::ioctl(fd_, TIOCEXCL) != 0 || ::flock(fd_, LOCK_EX | LOCK_NB) != 0 ||
        ::tcgetattr(fd_, &tio) != 0) {
      Close();
      return;
    }
    ::cfmakeraw(&tio);
    ::tcsetattr(fd_, TCSANOW, &tio);
  }
  ~HostPort() { Close(); }
  HostPort(const HostPort&) = delete;
  HostPort& operator=(const HostPort&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  bool Write(const std::string& bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  // Reads until the text ends with `end`, or until `idle` passes without a byte.
  std::string ReadUntil(const std::string& end, milliseconds idle = milliseconds(2000)) {
    std::string text;
    while (!text.ends_with(end)) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(idle.count())) <= 0 || !(p.revents & POLLIN)) break;
      char buf[256];
      ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n <= 0) break;
      if (first_read_ == 0) first_read_ = static_cast<std::size_t>(n);
      text.append(buf, static_cast<std::size_t>(n));
    }
    return text;
  }
  std::string ReadLines(int count) {
    std::string text;
    while (std::count(text.begin(), text.end(), '\r') < count) {
      std::string more = ReadUntil("\r");
      if (more.empty()) break;
      text += more;
    }
    return text;
  }

  // Bytes delivered by the first read that delivered any.
  std::size_t first_read() const { return first_read_; }

 private:
  int fd_ = -1;
  std::size_t first_read_ = 0;
};

// The server has seen the host's close once the exclusive flag is cleared.
bool WaitUntilHostGone(const std::string& path) {
  return WaitFor([&] {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;  // not root: still exclusive
    int exclusive = 1;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    return exclusive == 0;
  });
}

// 0 when an unprivileged process can open `path` within a second, else errno.
int OpenUnprivileged(const std::string& path) {
  auto try_open = [&]() -> int {
    for (int i = 0; i < 1000; ++i) {
      int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
      if (fd >= 0) {
        ::close(fd);
        return 0;
      }
      if (errno != EBUSY) return errno;
      timespec ms{0, 1'000'000};
      ::nanosleep(&ms, nullptr);
    }
    return EBUSY;
  };
  if (::geteuid() != 0) return try_open();
  // As root TIOCEXCL does not bind; the host's case is tried as "nobody".
  ::chmod(path.c_str(), 0666);
  pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(127);
    ::_exit(try_open() & 0x7F);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PtyReader, IdentityAndDownloadOverThePty) {
  ReaderConfig config;
  config.model_code = "K472";
  PtyReader reader(config);
  std::atomic<int> commits{0};
  SettingsImage committed;
  reader.set_commit_observer([&](const SettingsImage& current, const SettingsImage&) {
    committed = current;
    ++commits;
  });
  std::string error;
  ASSERT_TRUE(reader.Start(&error)) << error;
  ASSERT_TRUE(reader.device_path().starts_with("/dev/pts/")) << reader.device_path();
  EXPECT_FALSE(reader.Start(&error)) << "already running";

  HostPort host(reader.device_path());
  ASSERT_TRUE(host.ok());
  ASSERT_TRUE(host.Write("#@SYS_INFO?\r"));
  std::string identity = host.ReadLines(6);
  EXPECT_EQ(identity.substr(identity.find('\r') + 1 + 7, 4), "K472") << identity;

  const std::string digits = "0A0206040AC500016F00000000000000";
  ASSERT_TRUE(
      host.Write("#@402718\r"
                 "0000"
                 "10" +
                 digits + "\r"));
  EXPECT_EQ(host.ReadUntil("\r"), "ACK\r");
  ASSERT_TRUE(host.Write("UPDATE\r"));
  EXPECT_EQ(host.ReadUntil("\r"), "ACK\r");
  ASSERT_TRUE(host.Write("R000010\r"));
  EXPECT_EQ(host.ReadUntil("\r"), digits + "\r");

  ASSERT_TRUE(WaitFor([&] { return commits == 1; }));
  EXPECT_EQ(committed.Byte(5), 0xC5);
  EXPECT_EQ(reader.current_image(), committed);
  EXPECT_EQ(reader.received_lines().size(), 5u);
  EXPECT_EQ(reader.received_lines()[1], "#@402718\r");
}

TEST(PtyReader, PortCanBeClosedAndReopenedLikeASerialPort) {
  PtyReader reader;
  ASSERT_TRUE(reader.Start(nullptr));
  const std::string path = reader.device_path();
  {
    HostPort host(path);
    ASSERT_TRUE(host.ok());
    auto leave_unread_reply = [&] {
      ASSERT_TRUE(host.Write("READ_U\r"));
      ASSERT_TRUE(WaitFor([&] {
        int waiting = 0;
        return ::ioctl(host.fd(), FIONREAD, &waiting) == 0 && waiting > 0;
      }));
    };
    auto leave_partial_line = [&] {
      ASSERT_TRUE(host.Write("#@SYS_BAT"));
      ASSERT_TRUE(WaitFor([&] {
        std::size_t partial = 0;
        reader.WithReader([&](VirtualReader& r) { partial = r.partial_line_size(); });
        return partial == 9;
      }));
    };

    // A refused second opener closes again; that close is not the host's.
    leave_unread_reply();
    HostPort second(path);
    EXPECT_FALSE(second.ok()) << "the port is the first host's alone";
    leave_partial_line();
    ASSERT_TRUE(host.Write("TERY?\r"));
    EXPECT_EQ(host.ReadUntil("OK 3.95V\r"), "OK\rOK 3.95V\r");

    // When the host itself closes, both are forgotten.
    leave_unread_reply();
    leave_partial_line();
  }
  ASSERT_TRUE(WaitUntilHostGone(path));

  // Twice in a row, as the host does for consecutive operations.
  for (int round = 0; round < 2; ++round) {
    HostPort host(path);
    ASSERT_TRUE(host.ok()) << round;
    ASSERT_TRUE(host.Write("#@SYS_BATTERY?\r"));
    EXPECT_EQ(host.ReadUntil("\r"), "OK 3.95V\r") << round;
  }
  ASSERT_TRUE(WaitUntilHostGone(path));
  EXPECT_EQ(OpenUnprivileged(path), 0) << "the host's exclusive flag outlived its close";
}

TEST(PtyReader, StopReturnsPromptlyWhileAHostIsConnected) {
  PtyReader reader;
  ASSERT_TRUE(reader.Start(nullptr));
  HostPort host(reader.device_path());
  ASSERT_TRUE(host.ok());
  ASSERT_TRUE(host.Write("#@SYS_BAT"));  // mid-line
  auto start = Clock::now();
  reader.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
  pollfd p{host.fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 1000), 1);
  EXPECT_TRUE(p.revents & POLLHUP);
  reader.Stop();
}

TEST(PtyReader, VanishingReaderAnswersThenHangsUp) {
  ReaderConfig config;
  config.faults.vanish_after_blocks = 2;
  PtyReader reader(config);
  std::atomic<bool> told{false};
  reader.set_vanish_observer([&] { told = true; });
  ASSERT_TRUE(reader.Start(nullptr));
  HostPort host(reader.device_path());
  ASSERT_TRUE(host.ok());
  ASSERT_TRUE(host.Write("R000010\r"));
  EXPECT_EQ(host.ReadUntil("\r").size(), 33u);
  ASSERT_TRUE(host.Write("R001010\r"));
  EXPECT_EQ(host.ReadUntil("\r").size(), 33u) << "the last block still arrives";
  ASSERT_TRUE(host.Write("R002010\r"));
  pollfd p{host.fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 2000), 1);
  EXPECT_TRUE(p.revents & POLLHUP);
  EXPECT_TRUE(WaitFor([&] { return reader.vanished() && told; }));
}

TEST(PtyReader, UploadLargerThanThePtyBufferArrivesWhole) {
  ReaderConfig config;
  config.memorized_data = MakeMemorizedData(4000);  // 104 KB, beyond what the pty holds
  config.upload_gap = milliseconds(0);
  PtyReader reader(config);
  ASSERT_TRUE(reader.Start(nullptr));
  HostPort host(reader.device_path());
  ASSERT_TRUE(host.ok());
  ASSERT_TRUE(host.Write("#@SYS_MEMUP\r"));
  // Like the host, start reading only after the reader has filled the buffer.
  ASSERT_TRUE(WaitFor([&] {
    int waiting = 0;
    return ::ioctl(host.fd(), FIONREAD, &waiting) == 0 && waiting >= 4000;
  }));
  std::string text = host.ReadUntil("OK\r");
  EXPECT_EQ(text.size(), config.memorized_data.size() + 3);
  EXPECT_EQ(text, config.memorized_data + "OK\r");
}

TEST(PtyReader, PacedRepliesTakeTheirTimeOnTheWire) {
  ReaderConfig config;
  config.pacing.baud = 2000;  // 5 ms a byte
  PtyReader reader(config);
  ASSERT_TRUE(reader.Start(nullptr));
  HostPort host(reader.device_path());
  ASSERT_TRUE(host.ok());
  auto start = Clock::now();
  ASSERT_TRUE(host.Write("#@SYS_BATTERY?\r"));
  EXPECT_EQ(host.ReadUntil("\r"), "OK 3.95V\r");
  // The last of 9 bytes cannot leave before 8 byte times have passed.
  EXPECT_GE(Clock::now() - start, milliseconds(40));
  EXPECT_LT(host.first_read(), 9u) << "paced bytes must not arrive all at once";
}

}  // namespace
}  // namespace k470::sim
