// FileEnv over the POSIX calls of the same names.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/file_env.h"
#include "core/file_env_platform.h"

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

// Opening a FIFO without a writer would wait for one; O_NONBLOCK returns at
// once, and reads of a regular file never wait anyway.
int ReadOnlyNoWaitFlags() { return O_RDONLY | O_NONBLOCK; }

void SyncFolderOf(FileEnv& env, const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int dfd = env.Open(dir, O_RDONLY | O_DIRECTORY, 0);
  if (dfd >= 0) {
    env.Fsync(dfd);
    env.Close(dfd);
  }
}

}  // namespace k470
