#include "sim/program_options.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <iterator>

#include "core/version.h"

namespace k470::sim {
namespace {

constexpr char kDescription[] =
    "k470sim: a virtual K470 reader on a pseudo-terminal. Prints the device it\n"
    "serves (for example /dev/pts/5) on stdout and answers there until SIGINT or\n"
    "SIGTERM, or until it vanishes (--vanish-after).";

constexpr char kReplies[] = R"(Replies (every line ends with CR, shown as \r):
  #@SYS_INFO?\r        six lines: the first line, the device type (model code at
                       characters 8-11, e.g. "K470 - K471 UHF RFID Reader"),
                       serial number, kernel version, user version, BT MAC ID
  #@402718\r           service mode; no reply; drops a pending download
  READ_U\r             OK\r; block requests then read the user-defined image
  WRITE_U\r, WRITE_B\r
                       OK\r; the next UPDATE commits to the user-defined image
                       (WRITE_U) or to both images (WRITE_B); without either
                       it commits to the current image
  AAAA10<32 hex>\r     block line: ACK\r and the 16 bytes go to the pending
                       download; NAK\r for a bad address or byte count
  RAAAA10\r            block request: the 16 bytes as 32 uppercase hex digits
                       and \r, from the current image (user-defined after
                       READ_U); NAK\r for a bad address
  UPDATE\r             ACK\r (--ack); commits the block lines received since the
                       last service-mode command, EXIT or commit (only those
                       blocks) and ends the READ_U/WRITE_ choice
  EXIT\r               no reply; leaves service mode, drops a pending download
  #@SYS_BATTERY?\r     OK 3.95V\r (--battery)
  #@SYS_MEMSIZE?\r     OK:<free KB>\r: --memory-size less the memorized data,
                       rounded up to whole KB (2046 by default)
  #@SYS_MEMCLR\r       OK\r; the memorized data is gone
  #@SYS_MEMUP\r        the memorized data in --upload-chunk pieces with
                       --upload-gap between them, then OK\r on the last piece
  #@SYS_TIME=yy,MM,dd,hh,mm,ss\r
                       OK\r and the clock is set when the fields are two digits
                       each and form a real date and time, else ERR\r
  other #@ lines       ERR\r
  1-16 printable characters, no command
                       a new Bluetooth PIN code; no reply
  anything else        ERR\r (an empty line: nothing)
The reader keeps two images, current and user-defined, both factory defaults
unless --image / --user-image load them. A line unfinished when the host closes
its port is forgotten, and so are replies it did not read. --garbage leaves
the uploaded data itself alone.

Faults count block messages (block lines and block requests, repeats included)
from 1 over the reader's life.)";

// Options read as the command line gives them and turned into the reader's
// configuration once they are all known.
struct UnconvertedOptions {
  int memory_lines = kDefaultMemorizedLines;
  std::string memory_file;
  int upload_gap_ms = 0;
};

// Where the reader lives: its link, its image files, how many readers.
void AddProgramOptions(CLI::App& app, ProgramOptions& options) {
  const char* files = "Program";
  app.add_option("--link", options.link_path,
                 "Put a symbolic link to the device at PATH (replacing an old link; a "
                 "file or folder there is refused and kept); removed at exit")
      ->option_text("PATH")
      ->group(files);
  app.add_option("--image", options.image_file,
                 "Keep the current image in FILE (640 bytes, like a .K470 file): loaded "
                 "at start when it exists, saved after every committed download and at exit")
      ->option_text("FILE")
      ->group(files);
  app.add_option("--user-image", options.user_image_file, "The same for the user-defined image")
      ->option_text("FILE")
      ->group(files);
  app.add_flag("-v,--verbose", options.verbose, "Log every received line to stderr")->group(files);
  app.add_option("--count", options.count,
                 "Serve N readers, each on its own pty (one device per line on stdout), with "
                 "consecutive serial numbers and BT MAC IDs; --link, --image and "
                 "--user-image then name PATH-1 ... PATH-N")
      ->option_text("N")
      ->capture_default_str()
      ->check(CLI::Range(1, 256))
      ->group(files);
}

// The identity reply's texts.
void AddIdentityOptions(CLI::App& app, ReaderConfig& reader) {
  const char* identity = "Identity";
  app.add_option("--model", reader.model_code, "Model code at characters 8-11 of the device type")
      ->capture_default_str()
      ->group(identity);
  app.add_option("--device-type", reader.device_type,
                 "Whole device-type text (default: \"K470 - \" + model + \" UHF RFID Reader\")")
      ->group(identity);
  app.add_option("--first-line", reader.first_line, "First line of the identity reply")
      ->capture_default_str()
      ->group(identity);
  app.add_option("--serial", reader.serial_number, "Serial number")
      ->capture_default_str()
      ->group(identity);
  app.add_option("--kernel", reader.kernel_version, "Kernel version")
      ->capture_default_str()
      ->group(identity);
  app.add_option("--user-version", reader.user_version, "User version")
      ->capture_default_str()
      ->group(identity);
  app.add_option("--bt-mac", reader.bt_mac_id, "Bluetooth MAC ID")
      ->capture_default_str()
      ->group(identity);
}

// The service commands' answers.
void AddServiceOptions(CLI::App& app, ReaderConfig& reader, UnconvertedOptions& read) {
  const char* service = "Service";
  app.add_option("--battery", reader.battery, "Battery text after \"OK \"")
      ->capture_default_str()
      ->group(service);
  app.add_option("--memory-size", reader.memory_size_kb, "Memory capacity in KB")
      ->capture_default_str()
      ->check(CLI::NonNegativeNumber)
      ->group(service);
  app.add_option("--memory-lines", read.memory_lines, "Lines of memorized tag data (one EPC each)")
      ->capture_default_str()
      ->check(CLI::NonNegativeNumber)
      ->group(service);
  app.add_option("--memory-data", read.memory_file, "Take the memorized data from FILE instead")
      ->option_text("FILE")
      ->check(CLI::ExistingFile)
      ->group(service);
  app.add_option("--upload-chunk", reader.upload_chunk, "Bytes per piece of the upload")
      ->capture_default_str()
      ->check(CLI::PositiveNumber)
      ->group(service);
  app.add_option("--upload-gap", read.upload_gap_ms, "Milliseconds between upload pieces")
      ->capture_default_str()
      ->check(CLI::NonNegativeNumber)
      ->group(service);
  app.add_option("--pin", reader.pin_code, "Bluetooth PIN code at start")
      ->capture_default_str()
      ->group(service);
  app.add_option("--ack", reader.ack, "Acknowledgement of block lines and UPDATE (ACK or DONE)")
      ->capture_default_str()
      ->group(service);
}

// How fast replies go out.
void AddPacingOptions(CLI::App& app, ReaderConfig& reader) {
  const char* pacing = "Pacing";
  app.add_option("--baud", reader.pacing.baud,
                 "Send replies no faster than this baud rate (10 bits a byte); 0: full speed")
      ->capture_default_str()
      ->check(CLI::NonNegativeNumber)
      ->group(pacing);
  app.add_option("--pace-chunk", reader.pacing.chunk,
                 "Bytes written together when pacing. With 1 a host that stops reading "
                 "at a CR gets the identity reply line by line; 100 or more keeps every "
                 "reply whole")
      ->capture_default_str()
      ->check(CLI::PositiveNumber)
      ->group(pacing);
}

// The faults a reader shows.
void AddFaultOptions(CLI::App& app, ProgramOptions& options) {
  Faults& faults = options.reader.faults;
  const char* fault = "Faults";
  app.add_flag("--silent", faults.silent, "Answer nothing")->group(fault);
  app.add_flag("--wrong-model", faults.wrong_model,
               std::string("Report model code ") + kWrongModelCode)
      ->group(fault);
  app.add_option("--naks", faults.naks_per_request,
                 "NAK\\r this many times to each block request before the block")
      ->option_text("N")
      ->check(CLI::NonNegativeNumber)
      ->group(fault);
  app.add_option("--line-naks", faults.naks_per_line,
                 "NAK\\r this many times to each block line before ACK")
      ->option_text("N")
      ->check(CLI::NonNegativeNumber)
      ->group(fault);
  app.add_flag("--no-ack", faults.no_ack_lines, "NAK\\r to every block line; nothing is stored")
      ->group(fault);
  app.add_flag("--no-ack-update", faults.no_ack_update, "NAK\\r to UPDATE; nothing is committed")
      ->group(fault);
  app.add_flag("--garbage", faults.garbage,
               std::string("Start every reply line with \"") + kGarbage + "\"")
      ->group(fault);
  app.add_flag("--non-hex", faults.non_hex_blocks,
               "Block replies carry G as their first and last digit")
      ->group(fault);
  app.add_option("--vanish-after", faults.vanish_after_blocks,
                 "Answer N block messages, then close the pty (the host sees a hang-up) "
                 "and exit")
      ->option_text("N")
      ->check(CLI::PositiveNumber)
      ->group(fault);
  app.add_flag("--vanish-in-upload", faults.vanish_in_upload,
               "Send half the memorized data of an upload, then close the pty and exit")
      ->group(fault);
  app.add_flag("--endless", faults.endless,
               "Answer every line with a stream of bytes that never ends in CR, until the "
               "host closes the port")
      ->group(fault);
  app.add_option("--silent-from-block", faults.silent_from_block,
                 "Answer nothing from block message N on (20: a read-back fails at its "
                 "20th block)")
      ->option_text("N")
      ->check(CLI::PositiveNumber)
      ->group(fault);
  app.add_option("--faulty", options.faulty,
                 "With --count, only reader K shows the faults above; the others are healthy")
      ->option_text("K")
      ->check(CLI::PositiveNumber)
      ->group(fault);
}

}  // namespace

std::optional<int> ParseProgramOptions(int argc, const char* const* argv, ProgramOptions& options,
                                       std::ostream& out, std::ostream& err) {
  ReaderConfig& reader = options.reader;
  UnconvertedOptions read;
  read.upload_gap_ms = static_cast<int>(reader.upload_gap.count());

  CLI::App app(kDescription, "k470sim");
  app.footer(kReplies);
  // help2man tells an option from its text by two spaces between them, and
  // CLI11 leaves one when the option is one short of the column: no option
  // here is 37 characters long (tests/e2e/man_pages_test.sh keeps watch).
  app.get_formatter()->column_width(38);
  AddProgramOptions(app, options);
  AddIdentityOptions(app, reader);
  AddServiceOptions(app, reader, read);
  AddPacingOptions(app, reader);
  AddFaultOptions(app, options);

  app.set_version_flag("--version", std::string("k470sim ") + kProgramVersion);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    // One exit code for every bad command line, as k470ctl has.
    err << "k470sim: " << e.what() << "\nRun 'k470sim --help' for the options.\n";
    return 2;
  }

  if (options.faulty > options.count) {
    err << "k470sim: --faulty " << options.faulty << " names no reader of --count " << options.count
        << "\nRun 'k470sim --help' for the options.\n";
    return 2;
  }
  if (!read.memory_file.empty()) {
    std::ifstream in(read.memory_file, std::ios::binary);
    reader.memorized_data.assign(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) {
      err << "k470sim: cannot read " << read.memory_file << "\n";
      return 1;
    }
  } else {
    reader.memorized_data = MakeMemorizedData(read.memory_lines);
  }
  reader.upload_gap = std::chrono::milliseconds(read.upload_gap_ms);
  return std::nullopt;
}

}  // namespace k470::sim
