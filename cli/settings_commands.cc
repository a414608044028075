#include "cli/settings_commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/escape_text.h"
#include "cli/exit_codes.h"
#include "cli/reader_jobs.h"
#include "cli/session.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "settings/named/setting_labels.h"
#include "settings/named/settings_json.h"

namespace k470::cli {
namespace {

constexpr char kShowHelp[] = R"(
Every setting of the file as the Device Settings sheet shows it once the file
is opened, grouped as the sheet groups them. With --json the same is one JSON
object, the object that export writes and import reads:

  "interface"          the selected interface ("Bluetooth HID", ...)
  "system"             System page: check boxes true/false, numbers as the
                       edits show them, lists by their texts, "event_strings"
  "interface_options"  the Advanced dialog of the selected interface
  "tag_types"          the enabled TAG types, in the page's order
  "operation"          scan mode, Memory Data, data format, transmission
                       buffer, "output_sequence" {"first","second","third"}
  "counter"            left padding character and the two counter resets
  "timestamp"          {"format","date_format","time_format","field_separator"}
  "key_sequences"      counter/timestamp/epc prefix and suffix, each
                       {"text": what the field shows, "bytes": stored hex}
  "epc_tag"            "data_fields" {"field_1".."field_4"}, "delimiter"
  "single_tag_mode"    scanning timeout, delay, counter limit, warning
  "epc_filter"         {"filter_type","tag_type","method","filter_value",
                       "pattern1","pattern2","digits"} as the Single TAG Mode
                       dialog shows them (null: nothing selected)
  "unedited_bytes"     bytes no page edits, by first offset, as hex
  "image"              all 640 bytes as hex

A stored code that no list offers shows as {"unknown_code": N}.
)";

constexpr char kDiffHelp[] = R"(
Names every setting that differs, with both values. Exit code 0 when the
settings are equal, 1 when they differ, 6 when the reader (--reader) failed;
2, 3 and 4 as for every subcommand. Files must be whole settings images (640
bytes). --reader compares with one reader: one --port, not several or --all.
Texts are printed with control characters as \xNN and a backslash as \\;
a text that is empty, has spaces at its ends or starts with a quote is
printed in quotes, with a quote in it as \".
)";

constexpr char kImportHelp[] = R"(
Starts from "image" when the JSON has it, else from the factory defaults, then
applies every setting given whose value differs from what that image shows,
through the same stores as the Device Settings sheet. An unknown key, a value
the sheet could not take, or one the result would not show as given is refused,
naming the key, and nothing is written (exit code 4). Input over 1 MB or nested
over 64 levels is refused. import of what export wrote gives the same file,
byte for byte.
)";

int Fail(const std::string& text, int code) {
  std::fprintf(stderr, "k470ctl: %s\n", text.c_str());
  return code;
}

// A settings file as the desktop program opens it; a file that is not a
// whole image is read all the same, with a word on stderr. With `whole`
// (diff, export) such a file is refused as download refuses it: its missing
// bytes would be taken for the factory defaults.
std::optional<SettingsImage> ReadSettings(const std::string& path, bool whole = false) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (whole && !ec && size != kImageSize) {
    Fail("settings file " + path + " is " + std::to_string(size) + " bytes, not " +
             std::to_string(kImageSize),
         kExitFile);
    return std::nullopt;
  }
  AppState state;
  if (!Open(state, path)) {
    Fail("cannot read settings file " + path + ": " + FileErrorText(errno), kExitFile);
    return std::nullopt;
  }
  if (!ec && size < kImageSize) {
    std::fprintf(stderr, "k470ctl: %s is %ju bytes; the rest are the factory defaults\n",
                 path.c_str(), static_cast<std::uintmax_t>(size));
  } else if (!ec && size > kImageSize) {
    std::fprintf(stderr, "k470ctl: %s is %ju bytes; only the first %zu are settings\n",
                 path.c_str(), static_cast<std::uintmax_t>(size), kImageSize);
  }
  return state.image;
}

std::string Dump(const Json& v) { return v.dump(-1, ' ', false, Json::error_handler_t::replace); }

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

// An export is a few kilobytes; the bound keeps a device or a huge file
// from filling memory before the JSON is even looked at.
constexpr std::size_t kMaxImportBytes = std::size_t{1} << 20;

// At most kMaxImportBytes of a regular file, or of stdin for "-".
std::optional<std::string> ReadImportText(const std::string& input) {
  const std::string name = input == "-" ? "standard input" : input;
  std::ifstream file;
  if (input != "-") {
    std::error_code ec;
    const auto status = std::filesystem::status(input, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
      const int error = std::filesystem::is_directory(status) ? EISDIR : kErrnoNotRegularFile;
      Fail("cannot read " + name + ": " + FileErrorText(error), kExitFile);
      return std::nullopt;
    }
    errno = 0;
    file.open(input, std::ios::binary);
    if (!file) {
      Fail("cannot read " + name + ": " + FileErrorText(errno), kExitFile);
      return std::nullopt;
    }
  }
  std::istream& in = input == "-" ? std::cin : file;
  std::string text(kMaxImportBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) {
    Fail("cannot read " + name + ": " + FileErrorText(errno), kExitFile);
    return std::nullopt;
  }
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.empty()) {
    Fail("cannot read " + name + ": empty file", kExitFile);
    return std::nullopt;
  }
  if (text.size() > kMaxImportBytes) {
    Fail("cannot read " + name + ": larger than 1 MB, no settings export", kExitFile);
    return std::nullopt;
  }
  return text;
}

}  // namespace

void AddSettingsSubcommands(CLI::App& app, Options& o) {
  auto* show = app.add_subcommand("show", "Show every setting of a settings file, by name");
  show->add_option("file", o.input, "Settings file (*.K470)")->required();
  show->footer(kShowHelp);

  auto* diff = app.add_subcommand(
      "diff", "Name the settings that differ between two settings files, or a file and a reader");
  diff->add_option("files", o.files, "Settings files: A B, or A with --reader")
      ->required()
      ->expected(1, 2);
  diff->add_flag("--reader", o.reader,
                 "Compare the file with the settings read from the reader (one reader)");
  diff->add_option("--type", o.settings_type, "With --reader, which settings: current or user")
      ->check(CLI::IsMember({"current", "user"}))
      ->capture_default_str();
  diff->footer(kDiffHelp);

  auto* exp = app.add_subcommand("export", "Write every setting of a settings file as JSON");
  exp->add_option("file", o.input, "Settings file (*.K470)")->required();
  exp->add_option("-o,--output", o.output, "JSON file to write instead of stdout");
  exp->footer("The JSON is that of 'show --json', keys as 'k470ctl show --help' lists them.");

  auto* imp = app.add_subcommand("import", "Write a settings file from JSON settings");
  imp->add_option("json", o.input, "JSON file, as export writes it; - for stdin")->required();
  imp->add_option("-o,--output", o.output, "Settings file to write")->required();
  imp->footer(kImportHelp);
}

int CmdShow(const Options& o) {
  const std::optional<SettingsImage> image = ReadSettings(o.input);
  if (!image) return kExitFile;
  const Json shown = ShowSettings(*image);
  if (o.json) {
    std::cout << Dump(shown) << "\n";
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
  const std::optional<SettingsImage> a = ReadSettings(o.files[0], true);
  if (!a) return kExitFile;
  std::optional<SettingsImage> b;
  if (o.reader) {
    b = ReadReader(o);
    if (!b) return kExitDiffReader;
  } else {
    b = ReadSettings(o.files[1], true);
    if (!b) return kExitFile;
  }
  const std::vector<SettingDifference> diffs = DiffSettings(*a, *b);
  if (o.json) {
    Json list = Json::array();
    for (const SettingDifference& d : diffs)
      list.push_back({{"field", d.field}, {"a", d.a}, {"b", d.b}});
    std::cout << Dump(list) << "\n";
  } else {
    for (const SettingDifference& d : diffs) {
      std::cout << LabelOf(d.field) << " [" << d.field << "]: " << Text(d.a) << " -> " << Text(d.b)
                << "\n";
    }
  }
  return diffs.empty() ? kExitOk : 1;
}

int CmdExport(const Options& o) {
  const std::optional<SettingsImage> image = ReadSettings(o.input, true);
  if (!image) return kExitFile;
  const std::string text =
      ShowSettings(*image).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
  if (o.output.empty()) {
    std::cout << text;
    return kExitOk;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!WriteFileAtomically(FileEnv::Default(), o.output, {bytes, text.size()})) {
    return Fail("cannot write " + o.output + ": " + FileErrorText(errno), kExitFile);
  }
  return kExitOk;
}

int CmdImport(const Options& o) {
  const std::optional<std::string> text = ReadImportText(o.input);
  if (!text) return kExitFile;
  std::string why;
  const std::optional<Json> in = ParseSettingsJson(*text, why);
  if (!in) return Fail(o.input + " " + why, kExitFile);
  const ImportResult imported = ImportSettings(*in);
  if (!imported.image) {
    return Fail(o.input + ": " + imported.refusal.text + "; nothing written", kExitFile);
  }
  if (!WriteSettingsFile(*imported.image, o.output)) {
    return Fail("cannot write " + o.output + ": " + FileErrorText(errno), kExitFile);
  }
  if (o.json) std::cout << Dump({{"file", o.output}}) << "\n";
  return kExitOk;
}

}  // namespace k470::cli
