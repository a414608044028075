// The Operation page as named fields: its left half, the Counter, Timestamp
// and EPC Tag output formats and their key sequences.
#include <algorithm>
#include <array>
#include <string>

#include "settings/named/named_groups.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/key_sequence.h"
#include "settings/operation/operation_page_values.h"
#include "settings/operation/output_sequence.h"
#include "settings/system/interface_selection.h"

namespace k470::named {
namespace {

constexpr std::array<ListEntry, 3> kScanModeList = {{{"Single TAG Mode", kScanModeSingleTag},
                                                     {"Multi-TAG Mode", kScanModeMultiTag},
                                                     {"Test Mode", kScanModeTest}}};
constexpr std::array<const char*, 3> kSequenceKeys = {"first", "second", "third"};

struct KeySequenceKey {
  const char* key;
  KeyBuffer OutputFormat::*buffer;
};
constexpr std::array<KeySequenceKey, 6> kKeySequenceKeys = {{
    {"counter_prefix", &OutputFormat::counter_prefix},
    {"counter_suffix", &OutputFormat::counter_suffix},
    {"timestamp_prefix", &OutputFormat::timestamp_prefix},
    {"timestamp_suffix", &OutputFormat::timestamp_suffix},
    {"epc_prefix", &OutputFormat::epc_prefix},
    {"epc_suffix", &OutputFormat::epc_suffix},
}};

std::string FieldKey(std::size_t position) { return "field_" + std::to_string(position + 1); }

// The page as a fresh sheet opens it. Opening clears "Data" codes in its
// own copy of the image only.
OperationPageValues LoadPage(const SettingsImage& image, AppState& state) {
  state.image = image;
  state.selected_interface = ShownInterface(image);
  NormaliseOperationPageOnOpen(state);
  return LoadOperationPage(state, kNoCode);
}

Json KeySequence(const KeyBuffer& buffer, SelectedInterface interface) {
  return {{"text", Latin1ToUtf8(DescribeKeySequence(buffer, kKeyFieldSize, interface).text)},
          {"bytes", HexOf(buffer)}};
}

KeyBuffer KeyBufferOf(const Json& v, const std::string& path, SelectedInterface interface) {
  if (!v.is_object() || !v.contains("bytes") || !v["bytes"].is_string()) {
    throw SettingError(path, "must be {\"text\": ..., \"bytes\": \"hex\"}; \"bytes\" is stored");
  }
  const auto bytes = BytesOfHex(v["bytes"].get_ref<const std::string&>());
  if (!bytes || bytes->size() > kKeyFieldSize) {
    throw SettingError(path + ".bytes", "must be at most 8 bytes as hex digits");
  }
  KeyBuffer buffer{};
  std::copy(bytes->begin(), bytes->end(), buffer.begin());
  for (const auto& [key, value] : v.items()) {
    if (key != "text" && key != "bytes") throw SettingError(path + "." + key, "unknown key");
  }
  // The text is only what the field shows: it must describe the bytes given.
  if (v.contains("text") && v["text"] != KeySequence(buffer, interface)["text"]) {
    throw SettingError(path + ".text", "does not describe \"bytes\"; change the bytes instead");
  }
  return buffer;
}

void ApplyLeftHalf(JsonPatch& p, AppState& state, OperationSettings& s) {
  int scan_mode = state.pending_scan_mode;
  p.List("scan_mode", kScanModeList, scan_mode);
  if (scan_mode != state.pending_scan_mode) ChooseScanMode(state, scan_mode);
  p.Bool("memory_mode", s.memory_mode);
  p.List("memory_data_transmit_delay", kDelayList, s.memory_delay);
  if (const Json* v = p.Changed("data_format"); v && v->is_string()) {
    // A text another interface offers: name the interface, not just the list.
    const std::span<const ListEntry> offered = DataFormatList(state.selected_interface);
    const bool here = std::any_of(offered.begin(), offered.end(),
                                  [v](const ListEntry& e) { return *v == e.text; });
    const bool elsewhere = std::any_of(kSerialDataFormatList.begin(), kSerialDataFormatList.end(),
                                       [v](const ListEntry& e) { return *v == e.text; });
    if (!here && elsewhere) {
      throw SettingError(
          p.KeyPath("data_format"),
          v->get<std::string>() + " is not offered under " +
              std::string(kInterfaceNames[static_cast<int>(state.selected_interface)]));
    }
  }
  p.List("data_format", DataFormatList(state.selected_interface), s.data_format);
  p.Bool("transmission_buffer", s.transmission_buffer);
  p.List("transmit_delay", kDelayList, s.transmit_delay);
  if (p.Has("output_sequence")) {
    JsonPatch q = p.Child("output_sequence");
    std::array<bool, 3> changed{};
    for (std::size_t i = 0; i < kSequenceKeys.size(); ++i) {
      q.List(kSequenceKeys[i], kOutputSequenceList, s.output_sequence[i]);
      changed[i] = q.Changed(kSequenceKeys[i]) != nullptr;
    }
    q.RefuseUnknownKeys();
    for (std::size_t i = 0; i < changed.size(); ++i) {
      if (!changed[i]) continue;
      const int stored = static_cast<int>(state.image.Field(OutputSequenceField(i)));
      const OutputSequenceCheck check =
          CheckOutputSequenceChoice(s.output_sequence, static_cast<int>(i), stored);
      if (check.verdict == OutputSequenceVerdict::kAllDisabled) {
        throw SettingError(q.path(), kAllDisableMessage);
      }
      if (check.verdict == OutputSequenceVerdict::kSectionUsedTwice) {
        throw SettingError(q.KeyPath(kSequenceKeys[i]), kSameSectionMessage);
      }
    }
    if (q.changed()) p.MarkChanged();
  }
  p.RefuseUnknownKeys();
}

void ApplyTimestamp(JsonPatch& p, TimestampLists& t) {
  p.List("format", kTimestampFormatList, t.format);
  const TimestampEnables on = TimestampEnableRule(t.format);
  const auto list = [&p](const char* key, std::span<const ListEntry> entries, int& code,
                         bool enabled) {
    if (!enabled && p.Changed(key)) {
      throw SettingError(p.KeyPath(key), "not used by this Timestamp Format");
    }
    p.List(key, entries, code);
  };
  list("date_format", kDateFormatList, t.date, on.date);
  list("time_format", kTimeFormatList, t.time, on.time);
  list("field_separator", kFieldSeparatorList, t.separator, on.separator);
  p.RefuseUnknownKeys();
}

void ApplyDataFields(JsonPatch& p, UhfFieldLists& lists) {
  std::array<int, kUhfFieldPositions> row = lists.display_row;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const Json* v = p.Changed(FieldKey(i));
    if (!v) continue;
    const std::string name = v->is_string() ? v->get<std::string>() : "?";
    row[i] = UhfFieldCodeOf(name);
    if (row[i] == kUhfNone && !name.empty()) {
      throw SettingError(p.KeyPath(FieldKey(i)),
                         "must be \"CRC\", \"PC\", \"EPC\", \"Length\" or \"\"");
    }
  }
  p.RefuseUnknownKeys();
  if (!p.changed()) return;
  // The move buttons fill the row from its start, each field at most once.
  bool gap = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (row[i] == kUhfNone) {
      gap = true;
    } else if (gap) {
      throw SettingError(p.KeyPath(FieldKey(i)), "fields follow one another from field_1");
    } else if (std::count(row.begin(), row.begin() + static_cast<long>(i), row[i]) > 0) {
      throw SettingError(p.KeyPath(FieldKey(i)), "each field can be used once");
    }
  }
  lists.display_row = row;
}

}  // namespace

void ShowOperation(const SettingsImage& image, Json& out) {
  AppState state;
  const OperationPageValues v = LoadPage(image, state);
  const SelectedInterface interface = state.selected_interface;
  const OperationSettings& s = v.settings;
  Json& op = out["operation"];
  op["scan_mode"] = ListValue(kScanModeList, state.pending_scan_mode);
  op["memory_mode"] = s.memory_mode;
  op["memory_data_transmit_delay"] = ListValue(kDelayList, s.memory_delay);
  // A code the list has no entry for loads as no selection; show the code.
  const int data_format =
      s.data_format != kNoCode ? s.data_format : static_cast<int>(image.Field(kDataFormat));
  op["data_format"] = ListValue(DataFormatList(interface), data_format);
  op["transmission_buffer"] = s.transmission_buffer;
  op["transmit_delay"] = ListValue(kDelayList, s.transmit_delay);
  for (std::size_t i = 0; i < kSequenceKeys.size(); ++i) {
    op["output_sequence"][kSequenceKeys[i]] = ListValue(kOutputSequenceList, s.output_sequence[i]);
  }

  const OutputFormat& f = v.output;
  out["counter"] = {{"left_padding_character", ListValue(kLeftPaddingList, f.left_padding)},
                    {"reset_on_uhf_power_on", f.reset_on_uhf_power_on},
                    {"reset_on_new_connection", f.reset_on_new_connection}};
  out["timestamp"] = {{"format", ListValue(kTimestampFormatList, f.timestamp.format)},
                      {"date_format", ListValue(kDateFormatList, f.timestamp.date)},
                      {"time_format", ListValue(kTimeFormatList, f.timestamp.time)},
                      {"field_separator", ListValue(kFieldSeparatorList, f.timestamp.separator)}};
  Json& keys = out["key_sequences"];
  for (const KeySequenceKey& k : kKeySequenceKeys)
    keys[k.key] = KeySequence(f.*k.buffer, interface);

  Json& epc = out["epc_tag"];
  for (std::size_t i = 0; i < kUhfFieldPositions; ++i) {
    const int code = v.uhf_fields.display_row[i];
    epc["data_fields"][FieldKey(i)] = code == kUhfNone ? "" : std::string(UhfFieldName(code));
  }
  epc["delimiter"] = std::string(v.delimiter_name);
}

void ApplyOperationStep(JsonPatch& top, SettingsImage& image) {
  AppState state;
  OperationPageValues v = LoadPage(image, state);
  bool changed = false;
  if (top.Has("operation")) {
    JsonPatch p = top.Child("operation");
    ApplyLeftHalf(p, state, v.settings);
    changed |= p.changed();
  }
  OutputFormat& f = v.output;
  if (top.Has("counter")) {
    JsonPatch p = top.Child("counter");
    p.List("left_padding_character", kLeftPaddingList, f.left_padding);
    p.Bool("reset_on_uhf_power_on", f.reset_on_uhf_power_on);
    p.Bool("reset_on_new_connection", f.reset_on_new_connection);
    p.RefuseUnknownKeys();
    changed |= p.changed();
  }
  if (top.Has("timestamp")) {
    JsonPatch p = top.Child("timestamp");
    ApplyTimestamp(p, f.timestamp);
    changed |= p.changed();
  }
  if (top.Has("key_sequences")) {
    JsonPatch p = top.Child("key_sequences");
    for (const KeySequenceKey& k : kKeySequenceKeys) {
      // Unedited, its bytes are those stored; its text may be another
      // interface's reading of them.
      if (p.Unedited(k.key)) continue;
      if (const Json* value = p.Changed(k.key)) {
        f.*k.buffer = KeyBufferOf(*value, p.KeyPath(k.key), state.selected_interface);
      }
    }
    p.RefuseUnknownKeys();
    changed |= p.changed();
  }
  if (top.Has("epc_tag")) {
    JsonPatch epc = top.Child("epc_tag");
    epc.Has("delimiter");  // the delimiter step's
    if (epc.Has("data_fields")) {
      JsonPatch p = epc.Child("data_fields");
      ApplyDataFields(p, v.uhf_fields);
      changed |= p.changed();
    }
    epc.RefuseUnknownKeys();
  }
  if (!changed) return;
  StoreOperationPage(v, state);
  image = state.image;
}

void ApplyDelimiterStep(JsonPatch& top, SettingsImage& image) {
  if (!top.Has("epc_tag")) return;
  JsonPatch epc = top.Child("epc_tag");
  const Json* v = epc.Changed("delimiter");
  if (!v) return;
  // The names a load shows, and the dialog's names for the same choices.
  constexpr std::array<std::pair<std::string_view, int>, 5> kNames = {
      {{" ", 0}, {"TAB", 1}, {"[Tab]", 1}, {",", 2}, {".", 3}}};
  for (const auto& [name, position] : kNames) {
    if (v->is_string() && v->get<std::string>() == name) {
      WriteDelimiter(position, image);
      return;
    }
  }
  throw SettingError(epc.KeyPath("delimiter"), "must be \" \" (none), \"TAB\", \",\" or \".\"");
}

}  // namespace k470::named
