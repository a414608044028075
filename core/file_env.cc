// The file helpers that are the same on every platform; the calls that are
// not live in file_env_posix.cc and file_env_windows.cc.
#include "core/file_env.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "core/file_env_platform.h"

namespace k470 {

FileEnv& FileEnv::Default() {
  static FileEnv env;
  return env;
}

std::string FileErrorText(int error) {
  if (error == 0) return "unknown error";
  if (error == kErrnoNotRegularFile) return "not a regular file";
  return std::strerror(error);
}

namespace {

// The errno of a file that is there but is not what was asked for.
int ErrnoOfNonRegular(mode_t mode) { return S_ISDIR(mode) ? EISDIR : kErrnoNotRegularFile; }

// Closes `fd` after a failure without losing the errno that says why.
void CloseKeepingErrno(FileEnv& env, int fd) {
  const int error = errno;
  env.Close(fd);
  errno = error;
}

}  // namespace

bool ReadFilePrefix(FileEnv& env, const std::string& path, std::size_t max_bytes,
                    std::vector<std::uint8_t>& out) {
  const int fd = env.Open(path, ReadOnlyNoWaitFlags(), 0);
  if (fd < 0) return false;
  struct stat st {};
  if (env.Fstat(fd, &st) != 0) {
    CloseKeepingErrno(env, fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    errno = ErrnoOfNonRegular(st.st_mode);
    CloseKeepingErrno(env, fd);
    return false;
  }
  out.assign(max_bytes, 0);
  std::size_t got = 0;
  while (got < max_bytes) {
    const ssize_t n = env.Read(fd, out.data() + got, max_bytes - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      CloseKeepingErrno(env, fd);
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
    if (n < 0) return false;
    if (n == 0) {
      // A write that takes nothing sets no errno; a file that grows no more
      // is one on a full disk.
      errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string TemporaryNameBeside(const std::string& path) {
  // One generator per thread: k470ctl writes the files of several readers at once.
  thread_local std::mt19937_64 rng{std::random_device{}()};
  // std::filesystem knows the platform's separators (backslashes too on Windows).
  const std::filesystem::path target(path);
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + name.
  std::string name = ".";
  name += target.filename().string();
  name += ".tmp";
  name += std::to_string(rng() % 1000000000);
  return target.has_parent_path() ? (target.parent_path() / name).string() : name;
}

std::string WriteTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

bool WriteFileAtomically(FileEnv& env, const std::string& written_path,
                         std::span<const std::uint8_t> data) {
  if (written_path.empty()) {
    errno = ENOENT;
    return false;
  }
  const std::string path = WriteTarget(written_path);
  // Keep the permissions of the file we replace; new files get the usual 0666 & ~umask.
  mode_t mode = 0666;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      errno = ErrnoOfNonRegular(st.st_mode);
      return false;
    }
    mode = st.st_mode & 07777;
  }
  const std::string tmp = TemporaryNameBeside(path);
  const int fd = env.Open(tmp, O_WRONLY | O_CREAT | O_EXCL, mode);
  if (fd < 0) return false;
  bool written = WriteAll(env, fd, data) && env.Fsync(fd) == 0;
  if (written) {
    written = env.Close(fd) == 0;
  } else {
    CloseKeepingErrno(env, fd);
  }
  if (!written || env.Rename(tmp, path) != 0) {
    const int error = errno;  // the failure's, not the clean-up's
    env.Unlink(tmp);
    errno = error;
    return false;
  }
  SyncFolderOf(env, path);
  return true;
}

}  // namespace k470
