#include "core/recent_files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace k470 {
namespace {

std::string RecentFilesPath(const std::string& folder) {
  if (folder.empty()) return kRecentFilesFileName;
  return (std::filesystem::path(folder) / kRecentFilesFileName).string();
}

// A line holds a path; a control character (a newline above all) would break
// the list apart or could not be told from one.
bool CanBeRemembered(std::string_view path) {
  return !path.empty() &&
         std::ranges::none_of(path, [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

}  // namespace

RecentFiles RecentFiles::Parse(std::string_view text) {
  RecentFiles files;
  while (!text.empty() && files.paths_.size() < kMaxRecentFiles) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string path(line);
    if (CanBeRemembered(path) && std::ranges::find(files.paths_, path) == files.paths_.end()) {
      files.paths_.push_back(path);
    }
  }
  return files;
}

std::string RecentFiles::Serialize() const {
  std::string text;
  for (const std::string& path : paths_) text += path + '\n';
  return text;
}

void RecentFiles::Add(const std::string& path) {
  if (!CanBeRemembered(path)) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxRecentFiles) paths_.resize(kMaxRecentFiles);
}

void RecentFiles::Remove(const std::string& path) { std::erase(paths_, path); }

RecentFiles ReadRecentFiles(const std::string& folder, FileEnv& env) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFilePrefix(env, RecentFilesPath(folder), kRecentFilesReadLimit, bytes)) return {};
  return RecentFiles::Parse({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

bool WriteRecentFiles(const std::string& folder, const RecentFiles& files, FileEnv& env) {
  if (!folder.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      errno = ec.default_error_condition().value();
      return false;
    }
  }
  const std::string text = files.Serialize();
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteFileAtomically(env, RecentFilesPath(folder), {data, text.size()});
}

}  // namespace k470
