// FileEnv on Windows: the C runtime's descriptor calls in binary mode, with
// the two steps POSIX gives for free done by the Win32 API: flushing a file
// to disk and renaming over an existing file.
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <climits>

#include "core/file_env.h"
#include "core/file_env_platform.h"

namespace k470 {
namespace {

// The errno that callers test for the Win32 errors a file operation meets.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EIO;
  }
}

}  // namespace

int FileEnv::Open(const std::string& path, int flags, mode_t mode) {
  // Text mode would turn the .ini file's CR LF and every 0x1A of an image
  // into something else; O_NOINHERIT keeps descriptors out of child programs.
  // The runtime knows only the owner's read and write bits.
  return ::_open(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, mode & (_S_IREAD | _S_IWRITE));
}
int FileEnv::Fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
ssize_t FileEnv::Read(int fd, void* buf, std::size_t n) {
  return ::_read(fd, buf, static_cast<unsigned>(std::min<std::size_t>(n, INT_MAX)));
}
ssize_t FileEnv::Write(int fd, const void* buf, std::size_t n) {
  return ::_write(fd, buf, static_cast<unsigned>(std::min<std::size_t>(n, INT_MAX)));
}
int FileEnv::Fsync(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) return errno = EBADF, -1;
  if (::FlushFileBuffers(handle)) return 0;
  return errno = ErrnoOf(::GetLastError()), -1;
}
int FileEnv::Close(int fd) { return ::_close(fd); }
int FileEnv::Rename(const std::string& from, const std::string& to) {
  // rename() of the C runtime refuses an existing target, which is the whole
  // point here; write-through returns only once the new name is on disk.
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  return errno = ErrnoOf(::GetLastError()), -1;
}
int FileEnv::Unlink(const std::string& path) { return ::_unlink(path.c_str()); }

// Windows has no FIFOs in the file system that an open could wait on.
int ReadOnlyNoWaitFlags() { return _O_RDONLY; }

// MoveFileExA with MOVEFILE_WRITE_THROUGH already made the rename durable.
void SyncFolderOf(FileEnv&, const std::string&) {}

}  // namespace k470
