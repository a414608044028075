#include "cli/subcommands.h"

#include <algorithm>
#include <type_traits>

#include "cli/commands.h"
#include "cli/settings_commands.h"

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

constexpr char kExportHelp[] =
    "The JSON is that of 'show --json', keys as 'k470ctl show --help' lists them.";

const OptionDecl kSettingsFile{
    "file", "Settings file (*.K470); - for standard input", &Options::input, {}, true};

}  // namespace

const std::vector<Subcommand>& Subcommands() {
  static const std::vector<Subcommand> table = {
      {.name = "ports",
       .help = "List the readers found on USB, with the device each by-id name leads to now",
       .command = CmdPorts},
      {.name = "info", .help = "Show the reader's identity", .job = InfoJob},
      {.name = "read",
       .help = "Read the reader's settings into a settings file",
       .options = {{"-o,--output", "Settings file to write; - for standard output",
                    &Options::output},
                   {"--output-pattern",
                    "With several readers, one file each: 'reader-{serial}.K470' ({port}, "
                    "{serial}, {index})",
                    &Options::output_pattern},
                   {"--type",
                    "Which settings: current or user",
                    &Options::settings_type,
                    {"current", "user"}}},
       .job = ReadJob},
      {.name = "download",
       .help = "Download a settings file into the reader",
       .options = {kSettingsFile,
                   {"--type",
                    "Which settings: current, user or both",
                    &Options::settings_type,
                    {"current", "user", "both"}},
                   {"--clock",
                    "auto: set the reader's clock from this computer first; skip: leave it",
                    &Options::clock,
                    {"auto", "skip"}}},
       .job = DownloadJob},
      {.name = "battery",
       .help = "Show the battery voltage",
       .job = QueryJob(DeviceOperation::kBatteryQuery)},
      {.name = "memsize",
       .help = "Show the free memory size",
       .job = QueryJob(DeviceOperation::kMemorySizeQuery)},
      {.name = "memclear",
       .help = "Clear the memorized tag data",
       .job = QueryJob(DeviceOperation::kClearMemory)},
      {.name = "clock",
       .help = "Set the reader's clock",
       .options = {{"--time", "\"YYYY-MM-DD hh:mm:ss\" instead of this computer's time",
                    &Options::time}},
       .job = ClockJob},
      {.name = "upload",
       .help = "Upload the memorized tag data into a text file",
       .options = {{"-o,--output",
                    "Text file to write; - for standard output, once the upload has ended well",
                    &Options::output},
                   {"--output-pattern",
                    "With several readers, one file each: 'tags-{serial}.txt' ({port}, "
                    "{serial}, {index})",
                    &Options::output_pattern}},
       .job = UploadJob},
      {.name = "pin",
       .help = "Send a new Bluetooth PIN code (1 to 16 letters and digits)",
       .options = {{"code", "The PIN code", &Options::pin, {}, true}},
       .job = PinJob},
      {.name = "apply",
       .help = "Make readers match a settings file: read each, download only where it differs "
               "(the checksum pair aside), and report it unchanged, changed or failed",
       .options = {kSettingsFile,
                   {"--check", "Only report what would change; change nothing", &Options::check}},
       .job = ApplyJob,
       .reports_each_reader = true},
      {.name = "new",
       .help = "Write a settings file with the factory defaults",
       .options = {{"-o,--output",
                    "Settings file to write; - for standard output",
                    &Options::output,
                    {},
                    true}},
       .command = CmdNew},
      {.name = "show",
       .help = "Show every setting of a settings file, by name",
       .options = {kSettingsFile},
       .footer = kShowHelp,
       .command = CmdShow},
      {.name = "diff",
       .help = "Name the settings that differ between two settings files, or a file and a reader",
       .options = {{"files",
                    "Settings files: A B, or A with --reader; - for standard input (one of them)",
                    &Options::files,
                    {},
                    true,
                    2},
                   {"--reader",
                    "Compare the file with the settings read from the reader (one reader)",
                    &Options::reader},
                   {"--type",
                    "With --reader, which settings: current or user",
                    &Options::settings_type,
                    {"current", "user"}}},
       .footer = kDiffHelp,
       .command = CmdDiff,
       .one_reader_only =
           "diff compares a file with one reader: give --port once, not several or --all"},
      {.name = "export",
       .help = "Write every setting of a settings file as JSON",
       .options = {kSettingsFile,
                   {"-o,--output", "JSON file to write instead of standard output (-)",
                    &Options::output}},
       .footer = kExportHelp,
       .command = CmdExport},
      {.name = "import",
       .help = "Write a settings file from JSON settings",
       .options = {{"json",
                    "JSON file, as export writes it; - for standard input",
                    &Options::input,
                    {},
                    true},
                   {"-o,--output",
                    "Settings file to write; - for standard output",
                    &Options::output,
                    {},
                    true}},
       .footer = kImportHelp,
       .command = CmdImport},
  };
  return table;
}

bool Subcommand::Takes(std::string Options::*member) const {
  return std::any_of(options.begin(), options.end(), [member](const OptionDecl& decl) {
    const auto* filled = std::get_if<std::string Options::*>(&decl.into);
    return filled && *filled == member;
  });
}

void AddSubcommands(CLI::App& app, Options& o) {
  for (const Subcommand& sub : Subcommands()) {
    CLI::App* cmd = app.add_subcommand(sub.name, sub.help);
    for (const OptionDecl& decl : sub.options) {
      CLI::Option* option = std::visit(
          [&](auto member) -> CLI::Option* {
            using Value = std::remove_reference_t<decltype(o.*member)>;
            if constexpr (std::is_same_v<Value, bool>) {
              return cmd->add_flag(decl.names, o.*member, decl.help);
            } else if constexpr (std::is_same_v<Value, std::vector<std::string>>) {
              return cmd->add_option(decl.names, o.*member, decl.help)->expected(1, decl.most);
            } else {
              return cmd->add_option(decl.names, o.*member, decl.help);
            }
          },
          decl.into);
      if (!decl.choices.empty()) option->check(CLI::IsMember(decl.choices))->capture_default_str();
      if (decl.required) option->required();
    }
    if (*sub.footer != '\0') cmd->footer(sub.footer);
  }
}

const Subcommand& FindSubcommand(const std::string& name) {
  const auto& all = Subcommands();
  return *std::find_if(all.begin(), all.end(),
                       [&](const Subcommand& sub) { return sub.name == name; });
}

}  // namespace k470::cli
