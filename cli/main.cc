// k470ctl: the reader's device operations and settings files from a shell.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/options.h"
#include "link/com_port_settings.h"

namespace k470::cli {
namespace {

constexpr char kVersion[] = "k470ctl 1.02";

constexpr char kExitCodesHelp[] = R"(
Exit codes:
  0  success
  1  reader error: the reader did not answer, is another model, or refused the operation
  2  usage error: bad command line
  3  port error: no reader port, or the port cannot be opened
  4  file error: a settings or upload file cannot be read or written

The port is --port, else the one remembered in K470Configuration.ini of the
configuration folder ($XDG_CONFIG_HOME/K470Configuration), else the first
reader found on USB. Name a reader by its /dev/serial/by-id/ link (see
"k470ctl ports"): unlike /dev/ttyACM0 it stays the same when the reader is
plugged in again.
)";

}  // namespace

int Main(int argc, char** argv) {
  Options o;
  CLI::App app{"k470ctl: configure K470 UHF RFID readers from a shell.", "k470ctl"};
  app.footer(kExitCodesHelp);
  app.set_version_flag("--version", kVersion);
  app.require_subcommand(1);
  app.fallthrough();
  app.add_option("--port", o.port,
                 "Reader port, a device path such as /dev/serial/by-id/usb-...-if00 or "
                 "/dev/ttyACM0")
      ->check([](const std::string& name) { return PortNameProblem(name); });
  app.add_option("--retries", o.retries, "Retry a failed connection or transfer N times")
      ->check(CLI::Range(0, 100));
  app.add_flag("--json", o.json, "Print results as JSON (info, ports, queries, upload)");
  app.add_flag("--trace", o.trace, "Print every byte exchanged with the reader to stderr");
  app.add_flag("-v,--verbose", o.verbose, "Tell what is happening on stderr");
  app.add_option("--sysfs-root", o.sysfs_root, "Where to look for USB readers")->group("");
  app.add_option("--dev-root", o.dev_root, "Where the readers' device nodes are")->group("");

  auto* ports = app.add_subcommand(
      "ports", "List the readers found on USB, with the device each by-id name leads to now");
  auto* info = app.add_subcommand("info", "Show the reader's identity");
  auto* read = app.add_subcommand("read", "Read the reader's settings into a settings file");
  read->add_option("-o,--output", o.output, "Settings file to write")->required();
  read->add_option("--type", o.settings_type, "Which settings: current or user")
      ->check(CLI::IsMember({"current", "user"}));
  auto* download = app.add_subcommand("download", "Download a settings file into the reader");
  download->add_option("file", o.input, "Settings file (*.K470)")->required();
  download->add_option("--type", o.settings_type, "Which settings: current, user or both")
      ->check(CLI::IsMember({"current", "user", "both"}));
  download
      ->add_option("--clock", o.clock,
                   "auto: set the reader's clock from this computer first; skip: leave it")
      ->check(CLI::IsMember({"auto", "skip"}));
  auto* battery = app.add_subcommand("battery", "Show the battery voltage");
  auto* memsize = app.add_subcommand("memsize", "Show the free memory size");
  auto* memclear = app.add_subcommand("memclear", "Clear the memorized tag data");
  auto* clock = app.add_subcommand("clock", "Set the reader's clock");
  clock->add_option("--time", o.time, "\"YYYY-MM-DD hh:mm:ss\" instead of this computer's time");
  auto* upload = app.add_subcommand("upload", "Upload the memorized tag data into a text file");
  upload->add_option("-o,--output", o.output, "Text file to write")->required();
  auto* pin = app.add_subcommand("pin", "Send a new Bluetooth PIN code (1 to 16 characters)");
  pin->add_option("code", o.pin, "The PIN code")->required();
  auto* fresh = app.add_subcommand("new", "Write a settings file with the factory defaults");
  fresh->add_option("-o,--output", o.output, "Settings file to write")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  if (*ports) return CmdPorts(o);
  if (*info) return CmdInfo(o);
  if (*read) return CmdRead(o);
  if (*download) return CmdDownload(o);
  if (*battery) return CmdQuery(o, DeviceOperation::kBatteryQuery);
  if (*memsize) return CmdQuery(o, DeviceOperation::kMemorySizeQuery);
  if (*memclear) return CmdQuery(o, DeviceOperation::kClearMemory);
  if (*clock) return CmdClock(o);
  if (*upload) return CmdUpload(o);
  if (*pin) return CmdPin(o);
  if (*fresh) return CmdNew(o);
  return kExitUsage;
}

}  // namespace k470::cli

int main(int argc, char** argv) { return k470::cli::Main(argc, argv); }
