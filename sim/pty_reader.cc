#include "sim/pty_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>

namespace k470::sim {
namespace {

using Clock = std::chrono::steady_clock;

// A hang-up discards what the host has not read yet, so a vanishing reader
// keeps the pty until the host shows it took the last reply — by writing
// again or closing — or until this long after the reply went out.
constexpr auto kVanishGrace = std::chrono::seconds(1);

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

bool Fail(std::string* error, const char* what) {
  if (error != nullptr) *error = std::string(what) + ": " + std::strerror(errno);
  return false;
}

timespec ToTimespec(Clock::duration d) {
  auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(d, Clock::duration(0)));
  return timespec{static_cast<time_t>(ns.count() / 1'000'000'000),
                  static_cast<long>(ns.count() % 1'000'000'000)};
}

}  // namespace

bool PtyReader::HostHoldsSlave() const {
  // Only processes whose descriptors we may read count; a host runs as our user.
  namespace fs = std::filesystem;
  std::error_code ec;
  const pid_t self = ::getpid();
  for (const fs::directory_entry& process : fs::directory_iterator("/proc", ec)) {
    const std::string pid = process.path().filename().string();
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit)) continue;
    std::error_code fd_ec;
    for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", fd_ec)) {
      std::error_code link_ec;
      if (fs::read_symlink(fd.path(), link_ec) != device_path_ || link_ec) continue;
      if (std::stoi(pid) == self && fd.path().filename() == std::to_string(slave_fd_)) continue;
      return true;
    }
  }
  return false;
}

PtyReader::PtyReader(ReaderConfig config, Observers observers)
    : reader_(std::move(config)), observers_(std::move(observers)) {}

PtyReader::~PtyReader() { Stop(); }

bool PtyReader::Start(std::string* error) {
  if (thread_.joinable() || master_fd_ >= 0) {
    if (error != nullptr) *error = "the reader is already running";
    return false;
  }
  master_fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_fd_ < 0) return Fail(error, "posix_openpt");
  char name[128];
  if (::grantpt(master_fd_) != 0 || ::unlockpt(master_fd_) != 0 ||
      ::ptsname_r(master_fd_, name, sizeof name) != 0) {
    bool result = Fail(error, "pseudo-terminal setup");
    CloseAll();
    return result;
  }
  device_path_ = name;

  // Raw from the start: a host that writes before configuring the port must
  // not have its CR turned into LF or echoed back.
  slave_fd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  if (slave_fd_ < 0 || ::tcgetattr(slave_fd_, &tio) != 0) {
    bool result = Fail(error, "opening the slave");
    CloseAll();
    return result;
  }
  ::cfmakeraw(&tio);
  ::cfsetspeed(&tio, B115200);
  if (::tcsetattr(slave_fd_, TCSANOW, &tio) != 0) {
    bool result = Fail(error, "tcsetattr");
    CloseAll();
    return result;
  }
  ::fcntl(master_fd_, F_SETFL, ::fcntl(master_fd_, F_GETFL) | O_NONBLOCK);

  // Without inotify the reader still works; it only cannot tell when the host closes.
  watch_fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch_fd_ >= 0 && ::inotify_add_watch(watch_fd_, name, IN_OPEN | IN_CLOSE) < 0) {
    CloseFd(watch_fd_);
  }

  int wake[2];
  if (::pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
    bool result = Fail(error, "pipe2");
    CloseAll();
    return result;
  }
  wake_read_fd_ = wake[0];
  wake_write_fd_ = wake[1];
  thread_ = std::thread(&PtyReader::Serve, this);
  return true;
}

void PtyReader::Stop() {
  if (thread_.joinable()) {
    char byte = 0;
    [[maybe_unused]] ssize_t n = ::write(wake_write_fd_, &byte, 1);
    thread_.join();
  }
  CloseAll();
}

void PtyReader::CloseAll() {
  CloseFd(master_fd_);
  CloseFd(slave_fd_);
  CloseFd(watch_fd_);
  CloseFd(wake_read_fd_);
  CloseFd(wake_write_fd_);
}

// The server thread's state between polls, and the steps it takes when the
// host writes, opens or closes the slave, or a reply may be written.
class PtyReader::ServeLoop {
 public:
  explicit ServeLoop(PtyReader& pty) : pty_(pty) {}

  // Until Stop(), a failure of the pty, or the reader vanishing.
  void Run();

 private:
  // The pause before the front reply's first byte.
  void StartPiece() {
    if (!queue_.empty())
      ready_at_ = std::max(ready_at_, Clock::now()) + queue_.front().pause_before;
  }
  // Takes what the host wrote; false when the master side failed for good.
  bool Receive();
  // Like a serial port's close: what the host did not read is gone.
  void HostClosed();
  // Runs when the slave was opened or closed; false when the master failed.
  bool WatchHost();
  // Writes what pacing allows of the front reply; false when the master failed.
  bool WriteReply();
  // After the last reply of a vanishing reader: true once the pty is gone.
  bool VanishWhenDone();

  PtyReader& pty_;
  std::deque<Reply> queue_;                    // replies not yet written; front() is being written
  std::size_t sent_ = 0;                       // bytes of queue_.front() already written
  Clock::time_point ready_at_ = Clock::now();  // no write before this moment
  Pacing pacing_;
  bool vanishing_ = false;
  bool streaming_ = false;      // the endless fault: more bytes whenever the queue runs dry
  bool host_moved_on_ = false;  // wrote or closed after the reader vanished
  std::optional<Clock::time_point> give_up_at_;
};

bool PtyReader::ServeLoop::Receive() {
  char buf[512];
  ssize_t n = ::read(pty_.master_fd_, buf, sizeof buf);
  if (n < 0) return errno == EAGAIN || errno == EINTR;
  if (n == 0) return false;
  if (vanishing_) {
    host_moved_on_ = true;
    return true;
  }
  std::vector<Reply> replies;
  std::vector<std::string> lines;
  std::optional<std::pair<SettingsImage, SettingsImage>> committed;
  {
    std::lock_guard lock(pty_.mutex_);
    VirtualReader& reader = pty_.reader_;
    std::size_t seen = reader.received_lines().size();
    int commits = reader.commits();
    replies = reader.Respond(std::string_view(buf, static_cast<std::size_t>(n)));
    const auto& all = reader.received_lines();
    lines.assign(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
    if (reader.commits() != commits) committed.emplace(reader.current_image(), reader.user_image());
    pacing_ = reader.config().pacing;
    vanishing_ = reader.vanished();
    streaming_ = reader.streaming();
  }
  const Observers& observers = pty_.observers_;
  if (observers.line) {
    for (const std::string& line : lines) observers.line(line);
  }
  if (committed && observers.commit) observers.commit(committed->first, committed->second);
  bool was_empty = queue_.empty();
  for (Reply& reply : replies) queue_.push_back(std::move(reply));
  if (was_empty) StartPiece();
  return true;
}

void PtyReader::ServeLoop::HostClosed() {
  {
    std::lock_guard lock(pty_.mutex_);
    pty_.reader_.HostClosed();
  }
  queue_.clear();
  sent_ = 0;
  streaming_ = false;
  host_moved_on_ = vanishing_;
  ::tcflush(pty_.slave_fd_, TCIFLUSH);
}

// inotify merges repeated events and cannot say who is still connected, so a
// close is checked against the descriptors that processes actually hold.
bool PtyReader::ServeLoop::WatchHost() {
  alignas(inotify_event) char buf[4096];
  ssize_t n = ::read(pty_.watch_fd_, buf, sizeof buf);
  if (n <= 0) return true;
  bool closed = false, last_was_close = false;
  for (ssize_t at = 0; at < n;) {
    const auto* event = reinterpret_cast<const inotify_event*>(buf + at);
    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    last_was_close = (event->mask & IN_CLOSE) != 0;
    closed = closed || last_was_close;
  }
  if (!closed) return true;
  // When nothing followed the close, the bytes still waiting on the master
  // are the leaving host's last words; take them before forgetting it.
  while (last_was_close) {
    pollfd p{pty_.master_fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN)) break;
    if (!Receive()) return false;
  }
  if (pty_.HostHoldsSlave()) return true;
  HostClosed();
  // The host's TIOCEXCL stays on the tty that this server keeps open.
  ::ioctl(pty_.slave_fd_, TIOCNXCL);
  return true;
}

bool PtyReader::ServeLoop::WriteReply() {
  const std::string& bytes = queue_.front().bytes;
  std::size_t want = bytes.size() - sent_;
  if (pacing_.baud > 0) want = std::min(want, static_cast<std::size_t>(std::max(1, pacing_.chunk)));
  ssize_t n = ::write(pty_.master_fd_, bytes.data() + sent_, want);
  if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
  if (n > 0) {
    sent_ += static_cast<std::size_t>(n);
    ready_at_ = Clock::now() + pacing_.ChunkTime(static_cast<std::size_t>(n));
    if (sent_ == bytes.size()) {
      queue_.pop_front();
      sent_ = 0;
      StartPiece();
    }
  }
  return true;
}

bool PtyReader::ServeLoop::VanishWhenDone() {
  if (!give_up_at_) give_up_at_ = Clock::now() + kVanishGrace;
  if (!host_moved_on_ && Clock::now() < *give_up_at_) return false;
  // Gone like a reader pulled from the USB socket: the host sees a hang-up.
  CloseFd(pty_.master_fd_);
  CloseFd(pty_.slave_fd_);
  pty_.vanished_ = true;
  if (pty_.observers_.vanish) pty_.observers_.vanish();
  return true;
}

void PtyReader::ServeLoop::Run() {
  while (true) {
    Clock::time_point now = Clock::now();
    bool may_write = !queue_.empty() && now >= ready_at_;
    pollfd fds[3] = {{pty_.wake_read_fd_, POLLIN, 0},
                     {pty_.master_fd_, static_cast<short>(POLLIN | (may_write ? POLLOUT : 0)), 0},
                     {pty_.watch_fd_, POLLIN, 0}};
    timespec timeout{};
    const timespec* wait = nullptr;
    if (!queue_.empty() && !may_write) {
      timeout = ToTimespec(ready_at_ - now);
      wait = &timeout;
    } else if (give_up_at_) {
      timeout = ToTimespec(*give_up_at_ - now);
      wait = &timeout;
    }
    if (::ppoll(fds, 3, wait, nullptr) < 0 && errno != EINTR) break;
    if (fds[0].revents != 0) break;

    if ((fds[2].revents & POLLIN) && !WatchHost()) break;
    if ((fds[1].revents & (POLLIN | POLLHUP | POLLERR)) && !Receive()) break;
    if ((fds[1].revents & POLLOUT) && !queue_.empty() && Clock::now() >= ready_at_ &&
        !WriteReply()) {
      break;
    }
    if (streaming_ && queue_.empty()) {
      queue_.push_back({std::chrono::milliseconds(1), std::string(256, '~')});
      StartPiece();
    }
    if (vanishing_ && queue_.empty() && VanishWhenDone()) return;
  }
}

void PtyReader::Serve() { ServeLoop(*this).Run(); }

std::vector<std::string> PtyReader::received_lines() const {
  std::lock_guard lock(mutex_);
  return reader_.received_lines();
}

SettingsImage PtyReader::current_image() const {
  std::lock_guard lock(mutex_);
  return reader_.current_image();
}

SettingsImage PtyReader::user_image() const {
  std::lock_guard lock(mutex_);
  return reader_.user_image();
}

std::string PtyReader::pin_code() const {
  std::lock_guard lock(mutex_);
  return reader_.pin_code();
}

std::optional<ReaderTime> PtyReader::clock() const {
  std::lock_guard lock(mutex_);
  return reader_.clock();
}

void PtyReader::WithReader(const std::function<void(VirtualReader&)>& fn) {
  std::lock_guard lock(mutex_);
  fn(reader_);
}

}  // namespace k470::sim
