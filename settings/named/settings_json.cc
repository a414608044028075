#include "settings/named/settings_json.h"

#include <algorithm>
#include <array>
#include <map>

#include "core/defaults.h"
#include "settings/named/named_groups.h"

namespace k470 {
namespace {

// In the order the sheet stores: the interface before the options it decides,
// the TAG types before the filter's type.
constexpr std::array<named::ApplyStep, 8> kSteps = {
    named::ApplyInterfaceStep, named::ApplySystemStep,    named::ApplyInterfaceOptionsStep,
    named::ApplyTagTypesStep,  named::ApplyOperationStep, named::ApplyDelimiterStep,
    named::ApplyScanStep,      named::ApplyFilterStep};

constexpr std::array<std::string_view, 13> kTopKeys = {
    "interface", "system",          "interface_options", "tag_types",
    "operation", "counter",         "timestamp",         "key_sequences",
    "epc_tag",   "single_tag_mode", "epc_filter",        "unedited_bytes",
    "image"};

std::vector<ByteRun> ComputeUneditedRuns() {
  std::array<bool, kImageSize> named{};
  for (const ImageArea& area : kPageAreas) {
    std::fill_n(named.begin() + static_cast<long>(area.offset), area.length, true);
  }
  std::vector<ByteRun> runs;
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (named[i]) continue;
    if (!runs.empty() && runs.back().offset + runs.back().length == i && i != kChecksumOffset) {
      ++runs.back().length;
    } else {
      runs.push_back({i, 1});
    }
  }
  return runs;
}

std::vector<std::uint8_t> BytesOfHex(const Json& v, const std::string& key, std::size_t count) {
  auto bytes = v.is_string() ? k470::BytesOfHex(v.get_ref<const std::string&>()) : std::nullopt;
  if (!bytes || bytes->size() != count) {
    throw SettingError(key, "must be " + std::to_string(count) + " bytes as hex digits");
  }
  return std::move(*bytes);
}

void ApplyUneditedBytes(const Json& in, SettingsImage& image) {
  if (!in.is_object()) throw SettingError("unedited_bytes", "must be an object");
  for (const auto& item : in.items()) {
    const std::string& key = item.key();
    const Json& value = item.value();
    const std::string path = "unedited_bytes." + key;
    const auto& runs = UneditedByteRuns();
    const auto run = std::find_if(runs.begin(), runs.end(), [&key](const ByteRun& r) {
      return std::to_string(r.offset) == key;
    });
    if (run == runs.end()) throw SettingError(path, "no run of unedited bytes starts here");
    const std::vector<std::uint8_t> bytes = BytesOfHex(value, path, run->length);
    std::copy(bytes.begin(), bytes.end(), image.bytes().begin() + static_cast<long>(run->offset));
  }
}

bool IsLeafValue(const Json& v) {
  return !v.is_object() || v.contains("unknown_code") || v.contains("bytes");
}

void CollectLeaves(const Json& v, const std::string& path,
                   std::vector<std::pair<std::string, Json>>& out) {
  if (IsLeafValue(v)) {
    out.emplace_back(path, v);
    return;
  }
  for (const auto& [key, child] : v.items()) {
    if (path.empty() && key == "image") continue;
    CollectLeaves(child, path.empty() ? key : path + "." + key, out);
  }
}

}  // namespace

const std::vector<ByteRun>& UneditedByteRuns() {
  static const std::vector<ByteRun> runs = ComputeUneditedRuns();
  return runs;
}

Json ShowSettings(const SettingsImage& image) {
  Json out;
  named::ShowSystem(image, out);
  named::ShowTagFilter(image, out);
  named::ShowOperation(image, out);
  // The sheet's order: System, TAG Type, Operation, then the scan dialog.
  Json ordered;
  for (const char* key :
       {"interface", "system", "interface_options", "tag_types", "operation", "counter",
        "timestamp", "key_sequences", "epc_tag", "single_tag_mode", "epc_filter"}) {
    ordered[key] = std::move(out[key]);
  }
  Json& unedited = ordered["unedited_bytes"];
  unedited = Json::object();
  for (const ByteRun& run : UneditedByteRuns()) {
    unedited[std::to_string(run.offset)] = HexOf(image.span().subspan(run.offset, run.length));
  }
  ordered["image"] = HexOf(image.span());
  return ordered;
}

namespace {

// The import itself; a refusal is thrown from wherever a value is read and
// caught at the library's border, in ImportSettings.
SettingsImage ImportOrRefuse(const Json& in) {
  if (!in.is_object()) throw SettingError("(top)", "must be a JSON object");
  for (const auto& [key, value] : in.items()) {
    if (std::find(kTopKeys.begin(), kTopKeys.end(), key) == kTopKeys.end()) {
      throw SettingError(key, "unknown key");
    }
  }
  SettingsImage image;
  if (in.contains("image")) {
    const std::vector<std::uint8_t> bytes = BytesOfHex(in["image"], "image", kImageSize);
    std::copy(bytes.begin(), bytes.end(), image.bytes().begin());
  } else {
    AppState state;
    New(state);
    image = state.image;
  }
  // Each step applies what differs from the image as the steps before left
  // it: after a change of interface, a data format given by its text gets
  // that text's code under the new interface.
  const Json start = ShowSettings(image);
  for (const named::ApplyStep step : kSteps) {
    const Json shown = ShowSettings(image);
    JsonPatch top(in, shown, start, "");
    step(top, image);
  }
  if (in.contains("unedited_bytes")) ApplyUneditedBytes(in["unedited_bytes"], image);
  named::RefuseValuesNotKept(in, start, image);
  return image;
}

}  // namespace

ImportResult ImportSettings(const Json& in) {
  try {
    return {ImportOrRefuse(in), {}};
  } catch (const SettingError& e) {
    return {std::nullopt, {e.key(), e.what()}};
  }
}

std::vector<std::pair<std::string, Json>> SettingLeaves(const Json& shown) {
  std::vector<std::pair<std::string, Json>> leaves;
  CollectLeaves(shown, "", leaves);
  return leaves;
}

std::vector<SettingDifference> DiffSettings(const SettingsImage& a, const SettingsImage& b) {
  std::vector<SettingDifference> diffs;
  if (a == b) return diffs;
  const auto leaves_a = SettingLeaves(ShowSettings(a));
  const auto leaves_b = SettingLeaves(ShowSettings(b));
  const std::map<std::string, Json> in_b(leaves_b.begin(), leaves_b.end());
  std::map<std::string, bool> seen;
  for (const auto& [path, value] : leaves_a) {
    const auto other = in_b.find(path);
    seen[path] = true;
    if (other == in_b.end()) {
      diffs.push_back({path, value, nullptr});
    } else if (other->second != value) {
      diffs.push_back({path, value, other->second});
    }
  }
  for (const auto& [path, value] : leaves_b) {
    if (!seen.contains(path)) diffs.push_back({path, nullptr, value});
  }
  if (diffs.empty()) {
    for (std::size_t i = 0; i < kImageSize; ++i) {
      if (a.Byte(i) != b.Byte(i)) {
        diffs.push_back({"byte." + std::to_string(i), HexOf(a.span().subspan(i, 1)),
                         HexOf(b.span().subspan(i, 1))});
      }
    }
  }
  return diffs;
}

}  // namespace k470
