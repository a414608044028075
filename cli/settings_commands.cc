#include "cli/settings_commands.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "cli/escape_text.h"
#include "cli/exit_codes.h"
#include "cli/file_args.h"
#include "cli/json_output.h"
#include "cli/messages.h"
#include "cli/reader_jobs.h"
#include "cli/session.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "settings/named/setting_labels.h"
#include "settings/named/settings_json.h"

namespace k470::cli {
namespace {

int Fail(const std::string& text, int code) {
  SayError(text);
  return code;
}

// A value as `show` prints it.
std::string Text(const Json& v) {
  if (v.is_null()) return "(none)";
  if (v.is_boolean()) return v.get<bool>() ? "on" : "off";
  if (v.is_number()) return v.dump();
  if (v.is_object() && v.contains("unknown_code")) {
    return "code " + v["unknown_code"].dump() + " (unknown: no list entry)";
  }
  if (v.is_object() && v.contains("bytes")) {
    return Text(v["text"]) + "  (bytes " + v["bytes"].get<std::string>() + ")";
  }
  if (v.is_array()) {
    std::string all;
    for (const Json& e : v) all += (all.empty() ? "" : ", ") + Text(e);
    return all.empty() ? "(none)" : all;
  }
  // Texts from a file reach a terminal: EscapeText writes control characters
  // as \xNN and a backslash as \\. Texts with spaces at their ends, none at
  // all, or a quote first are quoted (a quote inside as \"), so an empty text
  // ("") and one of two quote characters ("\"\"") print apart.
  const std::string& text = v.get_ref<const std::string&>();
  if (text.empty() || text.front() == ' ' || text.back() == ' ' || text.front() == '"') {
    return QuoteText(text);
  }
  return EscapeText(text);
}

// Sixteen bytes a line, the lines after the first under the first.
std::string HexSpaced(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    if (i == 0) {
    } else if (i % 32 == 0) {
      out += "\n" + std::string(39, ' ');
    } else {
      out += " ";
    }
    out += hex.substr(i, 2);
  }
  return out;
}

std::string LabelOf(const std::string& path) {
  if (path.starts_with("unedited_bytes.")) {
    const std::size_t offset = std::stoul(path.substr(15));
    for (const ByteRun& run : UneditedByteRuns()) {
      if (run.offset == offset) {
        return run.length == 1 ? "Byte " + std::to_string(offset)
                               : "Bytes " + std::to_string(offset) + "-" +
                                     std::to_string(offset + run.length - 1);
      }
    }
  }
  if (path.starts_with("byte.")) return "Byte " + path.substr(5) + " (no control shows it)";
  const SettingLabel* label = FindSettingLabel(path);
  return label ? std::string(label->label) : path;
}

void PrintShow(const Json& shown) {
  std::string heading;
  for (const auto& [path, value] : SettingLeaves(shown)) {
    const std::string group = path.substr(0, path.find('.'));
    std::string h(GroupHeading(group));
    if (group == "interface_options") h += " (" + Text(shown["interface"]) + ")";
    if (h != heading) {
      std::cout << (heading.empty() ? "" : "\n") << h << "\n";
      heading = h;
    }
    const std::string text =
        group == "unedited_bytes" ? HexSpaced(value.get<std::string>()) : Text(value);
    std::string label = LabelOf(path) + ":";
    if (label.size() < 36) label.resize(36, ' ');
    std::cout << "  " << label << " " << text << "\n";
  }
}

std::optional<SettingsImage> ReadReader(const Options& o) {
  Session s(o);
  if (ReadReaderSettings(s, o)) return std::nullopt;
  return s.state().image;
}

}  // namespace

std::optional<SettingsImage> ReadSettingsFile(const std::string& path, bool whole) {
  // Settings from a pipe are read whole first: their size is known only then.
  std::optional<std::string> piped;
  std::error_code ec;
  std::uintmax_t size = 0;
  if (IsStandardStream(path)) {
    piped = ReadInput(path, "no settings file");
    if (!piped) return std::nullopt;
    size = piped->size();
  } else {
    size = std::filesystem::file_size(path, ec);
  }
  const std::string name = piped ? InputName(path) : "settings file " + path;
  if (whole && !ec && size != kImageSize) {
    Fail(name + " is " + std::to_string(size) + " bytes, not " + std::to_string(kImageSize),
         kExitFile);
    return std::nullopt;
  }
  AppState state;
  if (piped) {
    LoadSettingsBytes(state, {reinterpret_cast<const std::uint8_t*>(piped->data()), piped->size()});
  } else {
    errno = 0;
    if (!Open(state, path)) {
      Fail("cannot read " + name + ": " + FileErrorText(errno), kExitFile);
      return std::nullopt;
    }
  }
  if (!ec && size < kImageSize) {
    SayNote(InputName(path) + " is " + std::to_string(size) +
            " bytes; the rest are the factory defaults");
  } else if (!ec && size > kImageSize) {
    SayNote(InputName(path) + " is " + std::to_string(size) + " bytes; only the first " +
            std::to_string(kImageSize) + " are settings");
  }
  return state.image;
}

int CmdShow(const Options& o) {
  const std::optional<SettingsImage> image = ReadSettingsFile(o.input);
  if (!image) return kExitFile;
  const Json shown = ShowSettings(*image);
  if (o.json) {
    PrintJson(shown);
  } else {
    PrintShow(shown);
  }
  return kExitOk;
}

int CmdDiff(const Options& o) {
  if (o.files.size() == 2 && o.reader) {
    return Fail("diff takes two files, or one file and --reader", kExitUsage);
  }
  if (o.files.size() == 1 && !o.reader) {
    return Fail("diff needs a second file, or --reader", kExitUsage);
  }
  if (o.files.size() == 2 && IsStandardStream(o.files[0]) && IsStandardStream(o.files[1])) {
    return Fail("diff reads one of its files from standard input (-), not both", kExitUsage);
  }
  const std::optional<SettingsImage> a = ReadSettingsFile(o.files[0], true);
  if (!a) return kExitFile;
  std::optional<SettingsImage> b;
  if (o.reader) {
    b = ReadReader(o);
    if (!b) return kExitDiffReader;
  } else {
    b = ReadSettingsFile(o.files[1], true);
    if (!b) return kExitFile;
  }
  const std::vector<SettingDifference> diffs = DiffSettings(*a, *b);
  if (o.json) {
    Json list = Json::array();
    for (const SettingDifference& d : diffs)
      list.push_back({{"field", d.field}, {"a", d.a}, {"b", d.b}});
    PrintJson(list);
  } else {
    for (const SettingDifference& d : diffs) {
      std::cout << LabelOf(d.field) << " [" << d.field << "]: " << Text(d.a) << " -> " << Text(d.b)
                << "\n";
    }
  }
  return diffs.empty() ? kExitOk : 1;
}

int CmdExport(const Options& o) {
  const std::optional<SettingsImage> image = ReadSettingsFile(o.input, true);
  if (!image) return kExitFile;
  const std::string text = JsonText(ShowSettings(*image), 2) + "\n";
  if (o.output.empty() || IsStandardStream(o.output)) {
    std::cout << text;
    return kExitOk;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!WriteOutput(o.output, {bytes, text.size()})) {
    return Fail("cannot write " + o.output + ": " + FileErrorText(errno), kExitFile);
  }
  return kExitOk;
}

int CmdImport(const Options& o) {
  // An export is a few kilobytes; the bound keeps a device or a huge file
  // from filling memory before the JSON is even looked at.
  const std::optional<std::string> text = ReadInput(o.input, "no settings export");
  if (!text) return kExitFile;
  const std::string name = InputName(o.input);
  if (text->empty()) return Fail("cannot read " + name + ": empty file", kExitFile);
  std::string why;
  const std::optional<Json> in = ParseSettingsJson(*text, why);
  if (!in) return Fail(name + " " + why, kExitFile);
  const ImportResult imported = ImportSettings(*in);
  if (!imported.image) {
    return Fail(name + ": " + imported.refusal.text + "; nothing written", kExitFile);
  }
  if (!WriteOutput(o.output, imported.image->span())) {
    return Fail("cannot write " + o.output + ": " + FileErrorText(errno), kExitFile);
  }
  if (o.json) PrintJson({{"file", o.output}});
  return kExitOk;
}

}  // namespace k470::cli
