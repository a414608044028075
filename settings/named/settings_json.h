// The settings image as named settings, in JSON: what `k470ctl show`,
// `export`, `import` and `diff` work with. Every value is shown as the sheet
// shows it when the image is opened, through the pages' own load code, and
// applied through the stores their OK runs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings_image.h"
#include "settings/named/json_values.h"

namespace k470 {

// Every named setting, then "unedited_bytes" (each run of bytes no page edits,
// keyed by its first offset, as hex) and "image" (all 640 bytes as hex).
Json ShowSettings(const SettingsImage& image);

// The named settings nest four levels; anything much deeper is no export and
// is refused before it is built, so hostile input cannot exhaust memory.
inline constexpr int kMaxJsonDepth = 64;

// The JSON of an import; none, with `why` set ("is not valid JSON", "nests
// deeper than 64 levels"), when the text is not one JSON value or nests deeper.
std::optional<Json> ParseSettingsJson(std::string_view text, std::string& why);

// Why an import was refused: the key, and the whole text as k470ctl says it.
struct ImportRefusal {
  std::string key;   // "system.volume"; "(top)" for the object as a whole
  std::string text;  // "system.volume: must be ..."
};

// The image an import made, or why it made none.
struct ImportResult {
  std::optional<SettingsImage> image;  // none when refused
  ImportRefusal refusal;               // when refused
};

// Starts from "image" when present, else from the factory defaults, then
// applies every named setting whose value differs from what that image shows.
// Refuses, naming the key, an unknown key, a value the sheet could not take
// or one it would not keep; the caller then writes nothing.
ImportResult ImportSettings(const Json& in);

struct ByteRun {
  std::size_t offset;
  std::size_t length;
};
// The runs of bytes no page edits, the checksum pair a run of its own.
const std::vector<ByteRun>& UneditedByteRuns();

// The leaves of a shown image: "system.volume" and its value, one for each
// setting, and "unedited_bytes.<offset>" for each run; never "image".
std::vector<std::pair<std::string, Json>> SettingLeaves(const Json& shown);

struct SettingDifference {
  std::string field;
  Json a;  // null when `a` has no such setting (an interface option of another interface)
  Json b;
};

// The settings whose shown values differ. Images that differ only in bits no
// control shows (the hidden command beep, say) differ by "byte.<offset>".
std::vector<SettingDifference> DiffSettings(const SettingsImage& a, const SettingsImage& b);

}  // namespace k470
