// The virtual reader in a child process, forked before any thread exists, so
// a benchmark's own CPU time, descriptors and memory are the host's alone.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "sim/pty_reader.h"

namespace k470 {

// The reader in a child process; its device path comes back through a pipe,
// and closing our end of the pipe tells it to stop.
class ReaderProcess {
 public:
  bool Start(int baud) {
    int to_parent[2], to_child[2];
    if (::pipe(to_parent) != 0 || ::pipe(to_child) != 0) return false;
    pid_ = ::fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      ::close(to_parent[0]);
      ::close(to_child[1]);
      sim::ReaderConfig config;
      config.pacing.baud = baud;
      config.pacing.chunk = 1;  // byte by byte, as a real line delivers them
      sim::PtyReader reader(config);
      std::string error;
      std::string reply = reader.Start(&error) ? reader.device_path() : "!" + error;
      reply += '\n';
      [[maybe_unused]] ssize_t w = ::write(to_parent[1], reply.data(), reply.size());
      char byte;
      while (::read(to_child[0], &byte, 1) > 0) {
      }
      reader.Stop();
      ::_exit(0);
    }
    ::close(to_parent[1]);
    ::close(to_child[0]);
    stop_fd_ = to_child[1];
    char buf[256];
    std::string line;
    ssize_t n;
    while (line.find('\n') == std::string::npos &&
           (n = ::read(to_parent[0], buf, sizeof buf)) > 0) {
      line.append(buf, static_cast<std::size_t>(n));
    }
    ::close(to_parent[0]);
    line = line.substr(0, line.find('\n'));
    if (line.empty() || line[0] == '!') {
      std::fprintf(stderr, "benchmark: the reader did not start: %s\n", line.c_str());
      return false;
    }
    device_ = line;
    return true;
  }

  void Stop() {
    if (stop_fd_ >= 0) ::close(stop_fd_);
    stop_fd_ = -1;
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  ~ReaderProcess() { Stop(); }
  const std::string& device() const { return device_; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int stop_fd_ = -1;
  std::string device_;
};

}  // namespace k470
