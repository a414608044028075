// Settings files (*.K470): the 640 bytes of the image, raw, with no header.
// The file dialogs belong to the caller; these take the chosen path and report
// success as true/false without any message.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/app_state.h"
#include "core/file_env.h"

namespace k470 {

inline constexpr char kSettingsFileExtension[] = "K470";

// Remembers `chosen` as the current settings file path, then loads the file
// over fresh defaults: up to 640 bytes replace the image, a shorter file
// leaves the rest at the defaults. False (image unchanged) when the file cannot
// be read or the path is longer than 255 characters; errno then says why
// (ENAMETOOLONG for the path, else as ReadFilePrefix leaves it).
bool Open(AppState& state, const std::string& chosen, FileEnv& env = FileEnv::Default());

// Loads `bytes` as Open loads a file's content: over fresh defaults, up to
// 640 bytes replace the image, a shorter content leaves the rest at the
// defaults. The current path is not changed.
void LoadSettingsBytes(AppState& state, std::span<const std::uint8_t> bytes);

// Appends ".K470" unless the name already ends with "K470" (case-sensitive),
// remembers the result as the current path and writes the file. A name that
// would exceed 255 characters is refused, never cut (errno ENAMETOOLONG);
// other failures leave errno as WriteFileAtomically does.
bool SaveAs(AppState& state, const std::string& chosen, FileEnv& env = FileEnv::Default());

// Writes to the current path; without one asks `choose_path` (empty optional:
// the user cancelled) and runs SaveAs.
using PathChooser = std::function<std::optional<std::string>()>;
bool Save(AppState& state, const PathChooser& choose_path, FileEnv& env = FileEnv::Default());

// The name SaveAs stores to, or nullopt when it would be too long.
std::optional<std::string> SettingsFileNameFor(const std::string& chosen);

// Writes the image to `path` atomically; the current path is not changed.
bool WriteSettingsFile(const SettingsImage& image, const std::string& path,
                       FileEnv& env = FileEnv::Default());

}  // namespace k470
