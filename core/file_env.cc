#include "core/file_env.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace k470 {

int FileEnv::Open(const std::string& path, int flags, mode_t mode) {
  return ::open(path.c_str(), flags | O_CLOEXEC, mode);
}
int FileEnv::Fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
ssize_t FileEnv::Read(int fd, void* buf, std::size_t n) { return ::read(fd, buf, n); }
ssize_t FileEnv::Write(int fd, const void* buf, std::size_t n) { return ::write(fd, buf, n); }
int FileEnv::Fsync(int fd) { return ::fsync(fd); }
int FileEnv::Close(int fd) { return ::close(fd); }
int FileEnv::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}
int FileEnv::Unlink(const std::string& path) { return ::unlink(path.c_str()); }

FileEnv& FileEnv::Default() {
  static FileEnv env;
  return env;
}

bool ReadFilePrefix(FileEnv& env, const std::string& path, std::size_t max_bytes,
                    std::vector<std::uint8_t>& out) {
  // Opening a FIFO without a writer would wait for one; O_NONBLOCK returns at
  // once, and reads of a regular file never wait anyway.
  const int fd = env.Open(path, O_RDONLY | O_NONBLOCK, 0);
  if (fd < 0) return false;
  struct stat st {};
  if (env.Fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    env.Close(fd);
    return false;
  }
  out.assign(max_bytes, 0);
  std::size_t got = 0;
  while (got < max_bytes) {
    const ssize_t n = env.Read(fd, out.data() + got, max_bytes - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      env.Close(fd);
      return false;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  env.Close(fd);
  out.resize(got);
  return true;
}

namespace {

bool WriteAll(FileEnv& env, int fd, std::span<const std::uint8_t> data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = env.Write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string TemporaryNameBeside(const std::string& path) {
  // One generator per thread: k470ctl writes the files of several readers at once.
  thread_local std::mt19937_64 rng{std::random_device{}()};
  const auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  return dir + "." + base + ".tmp" + std::to_string(rng() % 1000000000);
}

std::string WriteTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

bool WriteFileAtomically(FileEnv& env, const std::string& written_path,
                         std::span<const std::uint8_t> data) {
  if (written_path.empty()) return false;
  const std::string path = WriteTarget(written_path);
  // Keep the permissions of the file we replace; new files get the usual 0666 & ~umask.
  mode_t mode = 0666;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return false;
    mode = st.st_mode & 07777;
  }
  const std::string tmp = TemporaryNameBeside(path);
  const int fd = env.Open(tmp, O_WRONLY | O_CREAT | O_EXCL, mode);
  if (fd < 0) return false;
  const bool written = WriteAll(env, fd, data) && env.Fsync(fd) == 0;
  const bool closed = env.Close(fd) == 0;
  if (!written || !closed || env.Rename(tmp, path) != 0) {
    env.Unlink(tmp);
    return false;
  }
  // Make the rename itself durable; a failure here does not undo a complete write.
  const auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int dfd = env.Open(dir, O_RDONLY | O_DIRECTORY, 0);
  if (dfd >= 0) {
    env.Fsync(dfd);
    env.Close(dfd);
  }
  return true;
}

}  // namespace k470
