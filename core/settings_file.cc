#include "core/settings_file.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "core/defaults.h"

namespace k470 {

bool Open(AppState& state, const std::string& chosen, FileEnv& env) {
  if (chosen.empty() || chosen.size() > kMaxSettingsPathLength) {
    errno = chosen.empty() ? ENOENT : ENAMETOOLONG;
    return false;
  }
  state.settings_path = chosen;
  std::vector<std::uint8_t> content;
  if (!ReadFilePrefix(env, chosen, kImageSize, content)) return false;
  LoadSettingsBytes(state, content);
  return true;
}

void LoadSettingsBytes(AppState& state, std::span<const std::uint8_t> bytes) {
  New(state);
  std::copy_n(bytes.begin(), std::min(bytes.size(), kImageSize), state.image.bytes().begin());
}

std::optional<std::string> SettingsFileNameFor(const std::string& chosen) {
  std::string name = chosen;
  if (!name.ends_with(kSettingsFileExtension)) {
    name += ".";
    name += kSettingsFileExtension;
  }
  if (name.size() > kMaxSettingsPathLength) return std::nullopt;
  return name;
}

bool WriteSettingsFile(const SettingsImage& image, const std::string& path, FileEnv& env) {
  return WriteFileAtomically(env, path, image.span());
}

bool SaveAs(AppState& state, const std::string& chosen, FileEnv& env) {
  if (chosen.empty()) {
    errno = ENOENT;
    return false;
  }
  const auto name = SettingsFileNameFor(chosen);
  if (!name) {
    errno = ENAMETOOLONG;
    return false;
  }
  state.settings_path = *name;
  return WriteSettingsFile(state.image, *name, env);
}

bool Save(AppState& state, const PathChooser& choose_path, FileEnv& env) {
  if (!state.settings_path.empty()) return WriteSettingsFile(state.image, state.settings_path, env);
  const auto chosen = choose_path ? choose_path() : std::nullopt;
  if (!chosen) return false;
  return SaveAs(state, *chosen, env);
}

}  // namespace k470
