// How settings values look as JSON, both ways: list texts (or the stored code
// marked unknown), check states, corrected numbers, Latin-1 texts, hex bytes.
// Reading a value that does not fit throws SettingError naming its key.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/list_entry.h"

namespace k470 {

// Keys keep the sheet's order, in show as in export.
using Json = nlohmann::ordered_json;

class SettingError : public std::runtime_error {
 public:
  SettingError(const std::string& key, const std::string& message)
      : std::runtime_error(key + ": " + message), key_(key) {}
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

// The entry's text, or {"unknown_code": code} for a code no entry carries.
Json ListValue(std::span<const ListEntry> list, int code);
// What an edit shows for a stored number after its range correction.
int CorrectedNumber(unsigned stored, int min, int max);
// The reader's texts are 8-bit: each byte is the Latin-1 character.
std::string Latin1ToUtf8(std::string_view latin1);
std::string HexOf(std::span<const std::uint8_t> bytes);
// The bytes of a text of hex digits (either case); none for an odd count or
// another character.
std::optional<std::vector<std::uint8_t>> BytesOfHex(std::string_view hex);

// One object of an import, read against what the image shows now, as the
// steps before left it: a key's setter runs only when its value differs from
// the shown one, so a value exported and imported again writes nothing.
// `start` is what the starting image showed: a value equal to it was not
// edited, and may belong to a setting an edit took away (another interface's).
class JsonPatch {
 public:
  JsonPatch(const Json& in, const Json& shown, const Json& start, std::string path);

  bool changed() const { return changed_; }
  const std::string& path() const { return path_; }
  std::string KeyPath(std::string_view key) const;
  bool Has(std::string_view key) const;

  void Bool(std::string_view key, bool& field);
  void Number(std::string_view key, int min, int max, auto& field) {
    if (const Json* v = Changed(key))
      field = static_cast<std::remove_reference_t<decltype(field)>>(
          NumberOf(*v, KeyPath(key), min, max));
  }
  // A list text; a code without an entry can be kept but never chosen.
  void List(std::string_view key, std::span<const ListEntry> list, int& code);
  // At most `max_length` Latin-1 characters.
  void Text(std::string_view key, std::size_t max_length, std::string& field);
  // The value of `key` when present and different from the shown one.
  const Json* Changed(std::string_view key);
  // The value of `key` when present, whatever is shown: for a setting an
  // earlier edit reset, so the value given is typed in again.
  const Json* Given(std::string_view key);
  // Whether `key` is present with the value the starting image showed.
  bool Unedited(std::string_view key) const;
  // A nested object of the same import.
  JsonPatch Child(std::string_view key) const;
  // Marks the patch changed, for setters outside the helpers above.
  void MarkChanged() { changed_ = true; }
  // Refuses every key of the input that no setter asked for.
  void RefuseUnknownKeys(const std::string& why = "unknown key") const;

  static int NumberOf(const Json& v, const std::string& path, int min, int max);
  static std::string Latin1Of(const Json& v, const std::string& path, std::size_t max_length);

 private:
  const Json& in_;
  const Json& shown_;
  const Json& start_;
  std::string path_;
  mutable std::set<std::string, std::less<>> asked_;
  bool changed_ = false;
};

}  // namespace k470
