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

void PtyReader::Serve() {
  std::deque<Reply> queue;                    // replies not yet written; front() is being written
  std::size_t sent = 0;                       // bytes of queue.front() already written
  Clock::time_point ready_at = Clock::now();  // no write before this moment
  Pacing pacing;
  bool vanishing = false;
  bool streaming = false;      // the endless fault: more bytes whenever the queue runs dry
  bool host_moved_on = false;  // wrote or closed after the reader vanished
  std::optional<Clock::time_point> give_up_at;

  auto start_piece = [&] {
    if (!queue.empty()) ready_at = std::max(ready_at, Clock::now()) + queue.front().pause_before;
  };

  // Takes what the host wrote; false when the master side failed for good.
  auto receive = [&]() -> bool {
    char buf[512];
    ssize_t n = ::read(master_fd_, buf, sizeof buf);
    if (n < 0) return errno == EAGAIN || errno == EINTR;
    if (n == 0) return false;
    if (vanishing) {
      host_moved_on = true;
      return true;
    }
    std::vector<Reply> replies;
    std::vector<std::string> lines;
    std::optional<std::pair<SettingsImage, SettingsImage>> committed;
    {
      std::lock_guard lock(mutex_);
      std::size_t seen = reader_.received_lines().size();
      int commits = reader_.commits();
      replies = reader_.Respond(std::string_view(buf, static_cast<std::size_t>(n)));
      const auto& all = reader_.received_lines();
      lines.assign(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
      if (reader_.commits() != commits) {
        committed.emplace(reader_.current_image(), reader_.user_image());
      }
      pacing = reader_.config().pacing;
      vanishing = reader_.vanished();
      streaming = reader_.streaming();
    }
    if (observers_.line) {
      for (const std::string& line : lines) observers_.line(line);
    }
    if (committed && observers_.commit) observers_.commit(committed->first, committed->second);
    bool was_empty = queue.empty();
    for (Reply& reply : replies) queue.push_back(std::move(reply));
    if (was_empty) start_piece();
    return true;
  };

  auto host_closed = [&] {
    {
      std::lock_guard lock(mutex_);
      reader_.HostClosed();
    }
    queue.clear();
    sent = 0;
    streaming = false;
    host_moved_on = vanishing;
    // Like a serial port's close: what the host did not read is gone.
    ::tcflush(slave_fd_, TCIFLUSH);
  };

  // Runs when the slave was opened or closed. inotify merges repeated events
  // and cannot say who is still connected, so a close is checked against the
  // descriptors that processes actually hold.
  auto watch_host = [&]() -> bool {
    alignas(inotify_event) char buf[4096];
    ssize_t n = ::read(watch_fd_, buf, sizeof buf);
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
      pollfd p{master_fd_, POLLIN, 0};
      if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN)) break;
      if (!receive()) return false;
    }
    if (HostHoldsSlave()) return true;
    host_closed();
    // The host's TIOCEXCL stays on the tty that this server keeps open.
    ::ioctl(slave_fd_, TIOCNXCL);
    return true;
  };

  while (true) {
    Clock::time_point now = Clock::now();
    bool may_write = !queue.empty() && now >= ready_at;
    pollfd fds[3] = {{wake_read_fd_, POLLIN, 0},
                     {master_fd_, static_cast<short>(POLLIN | (may_write ? POLLOUT : 0)), 0},
                     {watch_fd_, POLLIN, 0}};
    timespec timeout{};
    const timespec* wait = nullptr;
    if (!queue.empty() && !may_write) {
      timeout = ToTimespec(ready_at - now);
      wait = &timeout;
    } else if (give_up_at) {
      timeout = ToTimespec(*give_up_at - now);
      wait = &timeout;
    }
    if (::ppoll(fds, 3, wait, nullptr) < 0 && errno != EINTR) break;
    if (fds[0].revents != 0) break;

    if ((fds[2].revents & POLLIN) && !watch_host()) break;
    if ((fds[1].revents & (POLLIN | POLLHUP | POLLERR)) && !receive()) break;

    if ((fds[1].revents & POLLOUT) && !queue.empty() && Clock::now() >= ready_at) {
      const std::string& bytes = queue.front().bytes;
      std::size_t want = bytes.size() - sent;
      if (pacing.baud > 0) {
        want = std::min(want, static_cast<std::size_t>(std::max(1, pacing.chunk)));
      }
      ssize_t n = ::write(master_fd_, bytes.data() + sent, want);
      if (n < 0 && errno != EAGAIN && errno != EINTR) break;
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
        ready_at = Clock::now() + pacing.ChunkTime(static_cast<std::size_t>(n));
        if (sent == bytes.size()) {
          queue.pop_front();
          sent = 0;
          start_piece();
        }
      }
    }

    if (streaming && queue.empty()) {
      queue.push_back({std::chrono::milliseconds(1), std::string(256, '~')});
      start_piece();
    }

    if (vanishing && queue.empty()) {
      if (!give_up_at) give_up_at = Clock::now() + kVanishGrace;
      if (host_moved_on || Clock::now() >= *give_up_at) {
        // Gone like a reader pulled from the USB socket: the host sees a hang-up.
        CloseFd(master_fd_);
        CloseFd(slave_fd_);
        vanished_ = true;
        if (observers_.vanish) observers_.vanish();
        return;
      }
    }
  }
}

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
