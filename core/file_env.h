// The file operations the settings core needs, behind one small interface so
// tests can make a write fail half-way (full disk, removed USB stick) and check
// that nothing of the user's earlier file is lost.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace k470 {

class FileEnv {
 public:
  virtual ~FileEnv() = default;

  // Thin wrappers over the POSIX calls of the same names; same results and
  // errno. On Windows (file_env_windows.cc) they are the C runtime's, in
  // binary mode, Fsync flushes with FlushFileBuffers and Rename replaces an
  // existing target as POSIX rename does.
  virtual int Open(const std::string& path, int flags, mode_t mode);
  virtual int Fstat(int fd, struct stat* st);
  virtual ssize_t Read(int fd, void* buf, std::size_t n);
  virtual ssize_t Write(int fd, const void* buf, std::size_t n);
  virtual int Fsync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Unlink(const std::string& path);

  // The environment of the real file system.
  static FileEnv& Default();
};

// The errno the file helpers below leave when they refuse something that
// exists but is no regular file (a device, a FIFO, a socket): the system has
// no code of its own for that. FileErrorText names it.
inline constexpr int kErrnoNotRegularFile = 0x4B470;

// What an errno left by the file helpers means, for a message: the system's
// text ("No space left on device", "Is a directory"), "not a regular file"
// for kErrnoNotRegularFile, and never "Success": 0 (nothing said why) gives
// "unknown error".
std::string FileErrorText(int error);

// Reads at most `max_bytes` from the start of the file. False when the file
// cannot be opened or read, and for anything but a regular file: a FIFO or a
// device would block the program until another one writes to it. On false
// errno says why (EISDIR for a directory, kErrnoNotRegularFile for the
// rest that is no regular file).
bool ReadFilePrefix(FileEnv& env, const std::string& path, std::size_t max_bytes,
                    std::vector<std::uint8_t>& out);

// A name for a temporary file in the folder of `path` (so a rename over
// `path` stays on one file system), hidden and unlikely to exist.
std::string TemporaryNameBeside(const std::string& path);

// The file a write to `path` must replace: `path` itself, or for a symbolic
// link the file it leads to, so that replacing keeps the link.
std::string WriteTarget(const std::string& path);

// Replaces `path` (through a symbolic link, its target) with `data` so that
// readers see either the old file or the complete new one: a temporary file
// in the same folder, flushed to disk and renamed over the target. On
// failure the old file is untouched and the temporary file removed, and
// errno says why: that of the call that failed, ENOENT for an empty path,
// EISDIR for a directory and kErrnoNotRegularFile for anything else that is
// no regular file (a device is never written to, nor replaced).
bool WriteFileAtomically(FileEnv& env, const std::string& path, std::span<const std::uint8_t> data);

}  // namespace k470
