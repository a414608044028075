#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace k470 {

namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 115200:
      return B115200;
    case 57600:
      return B57600;
    case 38400:
      return B38400;
    case 19200:
      return B19200;
    case 9600:
      return B9600;
    case 4800:
      return B4800;
    case 2400:
      return B2400;
    case 1200:
      return B1200;
    case 600:
      return B600;
    default:
      return B0;
  }
}

std::string ErrnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

// Why `fd` is no serial port, or "" when it is a terminal device. Anything
// else (a settings file, a FIFO, /dev/null, /dev/zero) would take the
// reader's commands as data, or answer them with a flood.
std::string NotATerminal(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return std::strerror(errno);
  if (S_ISREG(st.st_mode)) return "not a serial port but a regular file";
  if (S_ISDIR(st.st_mode)) return "not a serial port but a directory";
  if (S_ISFIFO(st.st_mode)) return "not a serial port but a FIFO";
  if (S_ISSOCK(st.st_mode)) return "not a serial port but a socket";
  if (!S_ISCHR(st.st_mode) || !::isatty(fd)) return "not a serial port (not a terminal device)";
  return {};
}

// Discards what has arrived and is unread, but not what we have written. The
// protocol comes from a platform whose writes return only once the bytes are
// on the wire, so its purge never found any of our own output left to throw
// away; callers rely on that when they purge or close straight after a
// command that awaits no reply (the service-mode command before a transfer,
// EXIT before a close). tcflush(TCOFLUSH) would drop such a command whenever
// the line, or the other end of a pseudo-terminal, had not taken it yet. The
// line gets as long as such a write was allowed (50 ms + 5 ms a byte); what
// flow control still holds back after that is discarded, so close cannot hang.
void DiscardQueues(int fd) {
  ::tcflush(fd, TCIFLUSH);
  int queued = 0;
  if (::ioctl(fd, TIOCOUTQ, &queued) != 0 || queued <= 0) return;
  const auto give_up =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(50 + 5 * queued);
  while (queued > 0 && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (::ioctl(fd, TIOCOUTQ, &queued) != 0) break;
  }
  if (queued > 0) ::tcflush(fd, TCOFLUSH);
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { Close(); }

bool PosixSerialPort::Open(const std::string& name, const LineSettings& settings) {
  Close();
  last_error_.clear();
  last_open_errno_ = 0;
  last_open_failure_ = OpenFailure::kCannotOpen;
  const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    last_open_errno_ = errno;
    last_error_ = ErrnoText(name);
    return false;
  }
  if (std::string why = NotATerminal(fd); !why.empty()) {
    last_error_ = name + ": " + why;
    ::close(fd);
    return false;
  }
  // Two locks because neither is enough alone: TIOCEXCL stops other openers of
  // the tty (but not root), flock stops other programs that play by the rules,
  // root included. Either refusal means the reader is busy elsewhere.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    last_error_ = name + ": in use by another program";
    ::close(fd);
    return false;
  }
  if (::ioctl(fd, TIOCEXCL) != 0) {
    last_error_ = ErrnoText(name);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  RaiseModemLines();
  if (!Configure(settings)) {
    last_open_failure_ = OpenFailure::kLineSettingsRefused;
    Close();
    return false;
  }
  RaiseModemLines();
  return true;
}

void PosixSerialPort::RaiseModemLines() {
  // Pseudo-terminals and USB gadget ports have no modem lines; ENOTTY or
  // EINVAL from them is expected and harmless.
  int bits = TIOCM_RTS;
  ::ioctl(fd_, TIOCMBIS, &bits);
  bits = TIOCM_DTR;
  ::ioctl(fd_, TIOCMBIS, &bits);
}

bool PosixSerialPort::Configure(const LineSettings& s) {
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) {
    last_error_ = ErrnoText("cannot configure the line");
    return false;
  }
  ::cfmakeraw(&tio);
  const speed_t speed = SpeedOf(BaudRateOfIndex(s.baud_index));
  if (speed == B0) {
    last_error_ = "unsupported baud rate";
    return false;
  }
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~CSIZE;
  tio.c_cflag |= (s.data_bits_index == 0) ? CS7 : CS8;
  tio.c_cflag &= ~(PARENB | PARODD);
  if (s.parity_index == 1) tio.c_cflag |= PARENB;
  if (s.parity_index == 2) tio.c_cflag |= PARENB | PARODD;
  if (s.stop_bits_index == 1) {
    tio.c_cflag |= CSTOPB;
  } else {
    tio.c_cflag &= ~CSTOPB;
  }
  tio.c_cflag &= ~CRTSCTS;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (s.flow_control_index == 1) tio.c_cflag |= CRTSCTS;
  if (s.flow_control_index == 2) {
    tio.c_iflag |= IXON;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
  }
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
    last_error_ = ErrnoText("the line settings were refused");
    return false;
  }
  return true;
}

void PosixSerialPort::Close() {
  if (fd_ < 0) return;
  DiscardQueues(fd_);
  // The exclusive flag belongs to the tty, not to our descriptor: clear it, or
  // the next opener is refused while anyone else still holds the device.
  ::ioctl(fd_, TIOCNXCL);
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

void PosixSerialPort::Purge() {
  if (fd_ >= 0) DiscardQueues(fd_);
}

long PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) return -1;
  for (;;) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    return static_cast<long>(n);
  }
}

long PosixSerialPort::Read(std::span<std::uint8_t> buf, Millis wait) {
  if (fd_ < 0) return -1;
  pollfd pfd{fd_, POLLIN, 0};
  const int timeout = wait.count() < 0 ? 0 : static_cast<int>(wait.count());
  int ready;
  do {
    ready = ::poll(&pfd, 1, timeout);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return ready == 0 ? 0 : -1;
  if (pfd.revents & POLLIN) {
    const ssize_t n = ::read(fd_, buf.data(), buf.size());
    if (n > 0) return static_cast<long>(n);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
  }
  // Hang-up, EIO or ENXIO: the reader was unplugged. Said at once, so no
  // operation waits out its time-outs on a dead port.
  return -1;
}

bool PortCanBeOpened(const std::string& name) {
  if (name.empty() || name == kNoPortRecord) return false;
  const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool free = NotATerminal(fd).empty() && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return free;
}

}  // namespace k470
