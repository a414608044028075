#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace k470::e2e {
namespace {

using SteadyTime = std::chrono::steady_clock;

// The char* arrays that posix_spawn takes; they point into `strings`.
std::vector<char*> CStrings(const std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
  out.push_back(nullptr);
  return out;
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

// waitpid with a limit; false when the child is still running after it.
bool WaitWithin(pid_t pid, int& status, std::chrono::milliseconds limit) {
  for (auto end = SteadyTime::now() + limit;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return true;
    if (done < 0 && errno != EINTR) return true;  // not ours any more
    if (SteadyTime::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace

std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value) {
  std::vector<std::string> env;
  const std::string prefix = name + "=";
  for (char** e = environ; *e != nullptr; ++e) {
    if (!std::string_view(*e).starts_with(prefix)) env.emplace_back(*e);
  }
  env.push_back(prefix + value);
  return env;
}

RunResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     std::chrono::seconds limit) {
  RunResult result;
  int out_pipe[2], err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0) return result;
  if (::pipe2(err_pipe, O_CLOEXEC) != 0) {
    ::close(out_pipe[0]);
    ::close(out_pipe[1]);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
  std::vector<char*> args = CStrings(argv);
  std::vector<char*> envp = CStrings(env);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  if (spawned != 0) {
    ::close(out_pipe[0]);
    ::close(err_pipe[0]);
    result.err = std::string("cannot start ") + argv[0] + ": " + std::strerror(spawned);
    return result;
  }

  // Both pipes at once: a program that fills one while we wait on the other
  // would otherwise never end.
  pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  bool killed = false;
  const auto end = SteadyTime::now() + limit;
  for (int open = 2; open > 0;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyTime::now());
    if (left.count() <= 0 && !killed) {
      ::kill(pid, SIGKILL);
      killed = true;
    }
    const int ready = ::poll(fds, 2, killed ? 1000 : static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) break;
    if (ready == 0 && killed) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buf[4096];
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (pollfd& p : fds) {
    if (p.fd >= 0) ::close(p.fd);
  }
  int status = 0;
  if (!WaitWithin(pid, status, std::chrono::seconds(5))) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    killed = true;
  }
  result.exit_code = killed ? -1 : ExitCodeOf(status);
  if (killed) result.err += "\n[killed after the time limit]";
  return result;
}

bool Background::Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                       const std::string& out_file, const std::string& err_file) {
  if (pid_ > 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_file.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_file.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args = CStrings(argv);
  std::vector<char*> envp = CStrings(env);
  const int spawned = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) pid_ = -1;
  status_ = -1;
  return spawned == 0;
}

bool Background::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == 0) return true;
  status_ = status;
  pid_ = -1;
  return false;
}

int Background::Stop() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    if (!WaitWithin(pid_, status, std::chrono::seconds(5))) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
    }
    status_ = status;
    pid_ = -1;
  }
  return status_ < 0 ? -1 : ExitCodeOf(status_);
}

}  // namespace k470::e2e
