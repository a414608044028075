// Serves a VirtualReader on a pseudo-terminal from a background thread, so a
// program that opens the slave device like a serial port talks to a reader.
//
// The server keeps a slave descriptor of its own: the pty then survives the
// host closing and reopening its port between operations, as a real reader's
// port does. It watches the slave's opens and closes (inotify); when the last
// host descriptor closes, the reader forgets a partial line, unsent replies
// are dropped, and the exclusive-use flag the host set with TIOCEXCL is
// cleared — the flag belongs to the tty, which the server's descriptor keeps
// alive, and without clearing it an unprivileged host could not reopen.
// A host that reopens within microseconds of closing can still find the flag
// set for that moment.
//
// Accessors may be called from any thread; observers run on the server
// thread, and are fixed at construction so no other thread touches them.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/settings_image.h"
#include "sim/reader_config.h"
#include "sim/virtual_reader.h"

namespace k470::sim {

class PtyReader {
 public:
  using LineObserver = std::function<void(std::string_view line)>;
  using CommitObserver =
      std::function<void(const SettingsImage& current, const SettingsImage& user)>;
  using VanishObserver = std::function<void()>;
  struct Observers {
    LineObserver line;      // every line received, CR included
    CommitObserver commit;  // after every committed download, with copies of both images
    VanishObserver vanish;  // once, when the reader vanishes
  };

  explicit PtyReader(ReaderConfig config = {}, Observers observers = {});
  ~PtyReader();  // Stop()
  PtyReader(const PtyReader&) = delete;
  PtyReader& operator=(const PtyReader&) = delete;

  // Creates the pty (slave in raw mode) and starts serving. False with a
  // reason in `error` (may be null) when the pty cannot be set up or the
  // reader is already running.
  bool Start(std::string* error);
  // Ends the server thread and closes the pty; a host still connected sees a
  // hang-up. Returns promptly whatever the host does. Safe to call twice.
  void Stop();

  // The slave device, for example /dev/pts/5; empty before Start().
  const std::string& device_path() const { return device_path_; }
  // True once the reader vanished (vanish_after_blocks): the pty is closed.
  bool vanished() const { return vanished_.load(); }

  std::vector<std::string> received_lines() const;
  SettingsImage current_image() const;
  SettingsImage user_image() const;
  std::string pin_code() const;
  std::optional<ReaderTime> clock() const;
  // Runs `fn` on the reader under the server's lock, e.g. to switch a fault on.
  void WithReader(const std::function<void(VirtualReader&)>& fn);

 private:
  class ServeLoop;  // the server thread's state and steps
  void Serve();
  void CloseAll();
  // Whether a descriptor other than the server's own refers to the slave.
  bool HostHoldsSlave() const;

  mutable std::mutex mutex_;
  VirtualReader reader_;  // guarded by mutex_

  std::string device_path_;
  int master_fd_ = -1;
  int slave_fd_ = -1;
  int watch_fd_ = -1;  // inotify on the slave; -1 when the system has none
  int wake_read_fd_ = -1;
  int wake_write_fd_ = -1;
  std::thread thread_;
  std::atomic<bool> vanished_{false};

  const Observers observers_;
};

}  // namespace k470::sim
