// The settings files opened or saved last, newest first, remembered between
// runs in a file of the desktop program's own in its configuration folder.
// K470Configuration.ini stays one line: other programs read it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_env.h"

namespace k470 {

inline constexpr char kRecentFilesFileName[] = "recent-files.txt";
inline constexpr std::size_t kMaxRecentFiles = 8;
// The file is read no further than this: 8 paths of 4096 bytes and more.
inline constexpr std::size_t kRecentFilesReadLimit = 64 * 1024;

class RecentFiles {
 public:
  // One path per line (LF or CR LF), newest first. Lines that cannot be a
  // remembered path, and those after the eighth, are dropped.
  static RecentFiles Parse(std::string_view text);
  std::string Serialize() const;

  // Puts `path` first; an entry already in the list moves up, the oldest
  // goes beyond eight. A path that a line cannot hold (empty, or with a
  // control character) is not remembered.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  void Clear() { paths_.clear(); }

  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};

// The list kept in `folder`; empty when the file is missing or unreadable.
RecentFiles ReadRecentFiles(const std::string& folder, FileEnv& env = FileEnv::Default());

// Creates `folder` when needed and replaces the file atomically. False (errno
// says why) when it cannot be written; the old list then stays.
bool WriteRecentFiles(const std::string& folder, const RecentFiles& files,
                      FileEnv& env = FileEnv::Default());

}  // namespace k470
