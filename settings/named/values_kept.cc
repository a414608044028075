// The last check of an import: what it wrote must show every value it was
// given. A value the sheet would not keep (a disabled control's, a field the
// filter method does not use) is refused with its key instead of dropped.
#include <algorithm>
#include <map>
#include <set>

#include "settings/named/named_groups.h"
#include "settings/named/settings_json.h"
#include "settings/tagfilter/filter_dialog_view.h"

namespace k470::named {
namespace {

using Leaves = std::map<std::string, Json>;

Leaves LeavesOf(const Json& j) {
  const auto leaves = SettingLeaves(j);
  return {leaves.begin(), leaves.end()};
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A key sequence's bytes as stored: eight, zeros after those given.
std::string KeyBytes(const Json& v) {
  if (!v.is_object() || !v.contains("bytes") || !v["bytes"].is_string()) return {};
  std::string hex = Lower(v["bytes"].get<std::string>());
  hex.resize(std::max<std::size_t>(hex.size(), 16), '0');
  return hex;
}

std::set<std::string> NameSet(const Json& v) {
  std::set<std::string> names;
  if (v.is_array()) {
    for (const Json& n : v) names.insert(n.dump());
  }
  return names;
}

// Whether `given` shows as `shown`. Only the bytes of a key sequence are
// stored; its text, given as the starting image showed it, may read
// differently under another interface. TAG types are a set.
bool Kept(const std::string& path, const Json& given, const Json& shown, const Json* start) {
  if (path.starts_with("key_sequences.")) {
    if (KeyBytes(given) != KeyBytes(shown)) return false;
    return !given.contains("text") || given["text"] == shown["text"] || (start && *start == given);
  }
  if (path.starts_with("unedited_bytes.") && given.is_string() && shown.is_string()) {
    return Lower(given.get<std::string>()) == shown.get<std::string>();
  }
  if (path == "tag_types") return NameSet(given) == NameSet(shown);
  return given == shown;
}

std::optional<Scheme> SchemeNamed(const Json& filter) {
  for (const TagType& type : kTagTypes) {
    if (filter["tag_type"] == type.name) return type.scheme;
  }
  return std::nullopt;
}

bool IsFiltering(const Json& filter) {
  return filter["filter_type"] == "Include EPC" || filter["filter_type"] == "Exclude EPC";
}

// Why the sheet did not keep `path`, where the cause is known.
std::string Why(const std::string& path, const Json& given, const Json& result) {
  const std::string value = given.dump();
  if (path == "system.volume" && result["system"]["system_beeper"] == false) {
    return value + " is not kept while system_beeper is false: the disabled Volume list " +
           "stores no volume, and it reads as " + result["system"]["volume"].dump();
  }
  if (path.starts_with("epc_filter.") && path != "epc_filter.filter_type" &&
      path != "epc_filter.tag_type") {
    const Json& filter = result["epc_filter"];
    if (filter["tag_type"].is_null()) {
      return "the TAG type is unknown (byte 211 holds none of the enabled TAG types), so " +
             std::string("the filter is not stored");
    }
    if (!IsFiltering(filter)) {
      return "the filter is not stored while filter_type is " + filter["filter_type"].dump();
    }
    const std::string method = filter["method"].get<std::string>();
    const bool second = method == MethodCaption(FilterMethod::kSecondField, SchemeNamed(filter));
    if ((path == "epc_filter.pattern2" || path == "epc_filter.digits") && !second) {
      return "\"" + method + "\" does not use " + path.substr(11) + "; it stays " +
             filter[path.substr(11)].dump();
    }
    if (path == "epc_filter.filter_value" && method != "By EPC Filter Value") {
      return "\"" + method + "\" does not use filter_value; it stays " +
             filter["filter_value"].dump();
    }
  }
  return {};
}

}  // namespace

void RefuseValuesNotKept(const Json& in, const Json& start, const SettingsImage& result) {
  const Json shown = ShowSettings(result);
  const Leaves now = LeavesOf(shown);
  const Leaves before = LeavesOf(start);
  for (const auto& [path, given] : SettingLeaves(in)) {
    const auto was = before.find(path);
    const Json* start_value = was != before.end() ? &was->second : nullptr;
    const auto is = now.find(path);
    if (is == now.end()) {
      // Another interface's option, as the starting image showed it.
      if (start_value && *start_value == given) continue;
      throw SettingError(path, "not a setting under " + shown["interface"].dump());
    }
    if (Kept(path, given, is->second, start_value)) continue;
    std::string why = Why(path, given, shown);
    if (why.empty()) why = "the sheet does not keep this value; it stays " + is->second.dump();
    throw SettingError(path, why);
  }
}

}  // namespace k470::named
