// k470ctl against hostile ports and input, beyond the faulty readers of the
// fault matrix: nothing written where it does not belong, interrupted runs
// that give the port back, no failure reported as success, and messages that
// say why.
#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

constexpr int kInterrupted = 130;

// Every way k470ctl refuses a run before a reader could have a say, as one
// table: the exit code and a part of what it says; nothing on stdout, never
// "Success", no file made or changed and, the read into a folder that does not
// exist aside, not a word sent to the reader. With --json the same refusal is
// one object on stdout that says what stderr says.
TEST_F(K470ctlWithSim, EveryRefusalHasItsExitCodeAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  for (const char* folder : {"empty", "folder"}) fs::create_directories(dir_ / folder);
  ASSERT_EQ(::mkfifo(Path("fifo.K470").c_str(), 0600), 0);  // no writer: must not hang
  const std::string site = Path("site.K470"), kept = Path("kept.K470"), r = reader_;
  WriteFile(site, Image(1, true));
  WriteFile(kept, "kept");
  WriteFile(Path("empty.json"), "");
  WriteFile(Path("volume.json"), R"({"system": {"volume": "Loud"}})");
  WriteFile(Path("big.json"), std::string((1 << 20) + 1, ' '));  // at most 1 MB is read
  WriteFile(Path("deep.json"), std::string(100000, '['));
  const std::string pin = "the PIN code takes 1 to 16 ASCII letters and digits",
                    time = "--time wants a real date and time";
  struct Row {
    std::vector<std::string> args;
    int code;
    std::string says;  // all of stderr after "k470ctl: " when it ends in a newline
    bool reader_hears = false;
  };
  std::vector<Row> rows = {
      {{"--port", r}, kUsageError, "a subcommand is required"},
      {{"frobnicate"}, kUsageError, "unknown subcommand 'frobnicate'"},
      {{"--port", "/dev/" + std::string(251, 'p'), "info"}, kUsageError, "256 bytes long"},
      {{"--port", "/dev/tty\x1b[2J", "info"}, kUsageError, "the control character 0x1B"},
      {{"--port", r, "pin", std::string(17, '7')}, kUsageError, pin},
      {{"--port", r, "pin", "#@SYS_MEMCLR"}, kUsageError, pin},
      {{"--port", r, "pin", "ab\rcd"}, kUsageError, pin},
      {{"--port", r, "clock", "--time", "2013-02-30 10:00:00"}, kUsageError, time},
      {{"--port", r, "clock", "--time", "2024-02-30T10:00:00"}, kUsageError, time},
      {{"--port", r, "clock", "--time", "+2024-+1-+1 1:1:1"}, kUsageError, time},
      {{"--port", r, "clock", "--time", " 2024-02-01 10:00:00"}, kUsageError, time},
      {{"--port", r, "clock", "--time", ""}, kUsageError, time},
      {{"diff", site, site, "--reader"}, kUsageError, "diff takes two files, or one file and"},
      {{"--port", r, "--port", Path("second"), "diff", site, "--reader"},
       kUsageError,
       "diff compares a file with one reader: give --port once, not several or --all\n"},
      {{"--port", Path("no-reader"), "read", "-o", Path("x.K470")},
       kPortError,
       "cannot open the reader port (" + Path("no-reader") + ": No such file or directory)\n"},
      {{"--sysfs-root", Path("empty"), "pin", "1234"}, kPortError, "no reader port"},
      // Runs on several readers that end before any reader is asked.
      {{"--sysfs-root", Path("empty"), "--all", "info"}, kPortError, "no reader found on USB\n"},
      {{"--port", r, "read", "--output-pattern", Path("{serial")},
       kUsageError,
       "--output-pattern knows only {port}, {serial} and {index}\n"},
      // Nothing is written to a port that is no terminal device.
      {{"--port", site, "info"}, kPortError, "not a serial port"},
      {{"--port", site, "pin", "1234"}, kPortError, "not a serial port"},
      {{"--port", "/dev/null", "pin", "1234"}, kPortError, "not a serial port"},
      {{"--port", "/dev/zero", "info"}, kPortError, "not a serial port"},
      {{"--port", Path(""), "pin", "1234"}, kPortError, "Is a directory"},
      {{"--port", r, "download", Path("absent.K470")}, kFileError, "No such file or directory"},
      {{"--port", r, "download", Path("fifo.K470")}, kFileError, "not a regular file"},
      {{"--port", r, "download", Path("folder")}, kFileError, ": Is a directory"},
      {{"--port", r, "read", "-o", Path("no/such/dir/x.K470")},
       kFileError,
       "No such file or directory",
       true},
      {{"new", "-o", Path("no/such/dir/x.K470")}, kFileError, "No such file or directory"},
      {{"new", "-o", "/dev/full"}, kFileError, "cannot write /dev/full: not a regular file"},
      {{"new", "-o", Path("folder")}, kFileError, Path("folder") + ": Is a directory"},
      {{"new", "-o", "."}, kFileError, "cannot write .: Is a directory"},
      {{"export", site, "-o", "/dev/full"}, kFileError, "/dev/full: not a regular file"},
      {{"export", site, "-o", "."}, kFileError, "cannot write .: Is a directory"},
      {{"--port", r, "upload", "-o", "/dev/full"}, kFileError, "/dev/full: not a regular file"},
      {{"--port", r, "upload", "-o", "."}, kFileError, "cannot write .: Is a directory"},
      {{"show", Path("folder")},
       kFileError,
       "settings file " + Path("folder") + ": Is a directory"},
      {{"import", Path("empty.json"), "-o", kept}, kFileError, Path("empty.json") + ": empty file"},
      {{"import", Path("volume.json"), "-o", kept}, kFileError, "system.volume: must be one of"},
      {{"import", Path("big.json"), "-o", kept}, kFileError, "big.json: larger than 1 MB"},
      {{"import", Path("deep.json"), "-o", kept}, kFileError, "nests deeper than 64 levels"},
      {{"import", dir_.string(), "-o", kept}, kFileError, dir_.string() + ": Is a directory"},
      {{"import", "/dev/zero", "-o", kept}, kFileError, "/dev/zero: not a regular file"},
  };
  // A file that is no whole image, wherever a whole one is wanted.
  for (const std::size_t size : {0, 100, 641}) {
    const std::string file = Path("size" + std::to_string(size) + ".K470");
    WriteFile(file, (Image(2, true) + "x").substr(0, size));
    const std::string says =
        "settings file " + file + " is " + std::to_string(size) + " bytes, not 640\n";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"diff", file, site},
                                                 {"diff", site, file},
                                                 {"export", file},
                                                 {"export", file, "-o", Path("x.json")},
                                                 {"--port", r, "diff", file, "--reader"},
                                                 {"--port", r, "download", file}}) {
      rows.push_back({args, kFileError, says});
    }
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.front() + " " + row.args.back());
    const std::string heard = SimLog();
    EXPECT_EQ(Ctl(row.args, false), row.code) << err_;
    EXPECT_TRUE(row.says.ends_with('\n') ? err_ == "k470ctl: " + row.says
                                         : err_.starts_with("k470ctl: ") && Has(err_, row.says))
        << err_;
    EXPECT_FALSE(Has(err_, "Success")) << err_;
    EXPECT_EQ(out_, "");
    EXPECT_TRUE(row.reader_hears || SimLog() == heard) << SimLog();
    const std::string said = err_.substr(9, err_.find('\n') - 9);
    std::vector<std::string> json = row.args;
    json.insert(json.begin(), "--json");
    EXPECT_EQ(Ctl(json, false), row.code) << err_;
    EXPECT_EQ(out_, nlohmann::json({{"error", said}, {"exit_code", row.code}}).dump() + "\n");
  }
  for (const char* made : {"x.K470", "x.json", "no"}) EXPECT_FALSE(fs::exists(Path(made))) << made;
  EXPECT_EQ(ReadFile(kept), "kept");
  EXPECT_EQ(ReadFile(site), Image(1, true));
  struct stat st {};
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode)) << "/dev/full is still the device";
  EXPECT_EQ(::waitpid(sims_.back(), nullptr, WNOHANG), 0)
      << "errors on the host side leave the reader alone";

  // Standard input is held to 1 MB too; output that cannot be written, even
  // when it fails long before the end, is a file error that says why.
  const std::string from_stdin = "exec '" + std::string(K470CTL_PATH) + "' import - -o '" + kept +
                                 "' < '" + Path("big.json") + "'";
  EXPECT_EQ(Finish(Spawn({"/bin/sh", "-c", from_stdin}, Path("ctl.out"), Path("ctl.err"))),
            kFileError);
  EXPECT_TRUE(Has(err_, "standard input: larger than 1 MB")) << err_;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--port", r, "battery"},
                                               {"show", site},
                                               {"--json", "new", "-o", Path("n.K470")}}) {
    EXPECT_EQ(Finish(StartCtl(args, false, "/dev/full")), kFileError);
    EXPECT_EQ(err_, "k470ctl: cannot write the output: No space left on device\n");
  }
}

// A port the system does not let the user open (mode 000: as root the run
// is another user's) says how to be given access, on stderr and with --json.
TEST_F(K470ctlWithSim, APortTheUserMayNotOpenSaysHowToGetAccess) {
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  ASSERT_EQ(::chmod(fs::canonical(reader_).c_str(), 0), 0);
  std::vector<std::string> args = {K470CTL_PATH, "--port", reader_, "--json", "info"};
  if (::geteuid() == 0) {
    args.insert(args.begin(),
                {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
  }
  const int code = Finish(Spawn(args, Path("ctl.out"), Path("ctl.err")));
  if (err_.starts_with("setpriv")) GTEST_SKIP() << "cannot run as another user: " << err_;
  EXPECT_EQ(code, kPortError) << err_;
  const std::string says = "cannot open the reader port (" + reader_ +
                           ": Permission denied); the udev rule of the k470configuration package "
                           "(/usr/lib/udev/rules.d/60-k470-reader.rules) gives the user at the "
                           "seat access to the reader: install the package (or the rule) and "
                           "plug the reader in again; or join the dialout group (sudo usermod "
                           "-aG dialout $USER) and log in again";
  EXPECT_EQ(err_, "k470ctl: " + says + "\n");
  EXPECT_EQ(nlohmann::json::parse(out_, nullptr, false),
            nlohmann::json({{"error", says}, {"exit_code", kPortError}}));
}

TEST_F(K470ctlWithSim, CtrlCSendsExitReleasesThePortAndEndsWith130) {
  // At 1200 baud a read-back takes seconds: time to interrupt it half-way.
  ASSERT_NO_FATAL_FAILURE(StartSim({"--baud", "1200"}));
  const pid_t ctl = StartCtl({"--json", "read", "-o", Path("r.K470")});
  ASSERT_TRUE(SimGot("R003010")) << SimLog();
  ::kill(ctl, SIGINT);
  EXPECT_EQ(Finish(ctl), kInterrupted) << err_;
  EXPECT_TRUE(Has(err_, "interrupted")) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_, nullptr, false),
            nlohmann::json({{"error", "interrupted"}, {"exit_code", kInterrupted}}))
      << out_;
  EXPECT_TRUE(SimGot("EXIT\\r")) << SimLog();
  EXPECT_FALSE(fs::exists(Path("r.K470")));
  // The port was given back: the next run gets it.
  EXPECT_EQ(Ctl({"battery"}), kOk) << err_;
}

// Writing through a symbolic link replaces the file it leads to, not the link.
TEST_F(K470ctlWithSim, AFileWrittenThroughALinkReplacesItsTarget) {
  WriteFile(Path("real.K470"), "old");
  fs::create_symlink(Path("real.K470"), Path("link.K470"));
  ASSERT_EQ(Ctl({"--json", "new", "-o", Path("link.K470")}, false), kOk) << err_;
  EXPECT_TRUE(fs::is_symlink(Path("link.K470")));
  EXPECT_EQ(ReadFile(Path("real.K470")).size(), 640u);
  EXPECT_EQ(nlohmann::json::parse(out_, nullptr, false).value("file", ""), Path("link.K470"));
}

TEST_F(K470ctlWithSim, AFailedUploadSaysWhyAsReadAndDownloadDo) {
  ASSERT_NO_FATAL_FAILURE(StartSim({"--vanish-in-upload"}));
  WriteFile(Path("tags.txt"), "old tags");
  EXPECT_EQ(Ctl({"upload", "-o", Path("tags.txt")}), kReaderError);
  EXPECT_TRUE(err_.starts_with(
      "k470ctl: Uploading the Memorized Data Failed! (the reader was disconnected)"))
      << err_;
  EXPECT_EQ(ReadFile(Path("tags.txt")), "old tags");
  // Standard output gets the data only when the upload ends well.
  ASSERT_NO_FATAL_FAILURE(StartSim({"--vanish-in-upload"}));
  EXPECT_EQ(Ctl({"upload", "-o", "-"}), kReaderError);
  EXPECT_TRUE(Has(err_, "(the reader was disconnected); nothing written to standard output"))
      << err_;
  EXPECT_EQ(out_, "");
}

// A serial number that would set the window title and clear the screen, with
// a TAB, an LF, a backslash and a C1 CSI in UTF-8 besides; a battery text with
// a byte that is no UTF-8.
TEST_F(K470ctlWithSim, TextsFromTheReaderReachTheTerminalEscapedAndJsonStaysValid) {
  const std::string serial = "SN\x1b]0;owned\x07\x1b[2J\t|\n|\\x07|\xc2\x9b";
  ASSERT_NO_FATAL_FAILURE(StartSim({"--serial", serial, "--battery", "4.1\xe9V\x1b[31m"}));
  ASSERT_EQ(Ctl({"info"}), kOk) << err_;
  EXPECT_TRUE(Has(out_, "Serial Number:  SN\\x1b]0;owned\\x07\\x1b[2J\\x09|\\x0a|\\\\x07|\\x9b\n"))
      << out_;
  EXPECT_EQ(out_.find_first_of("\x1b\x07\t"), std::string::npos) << out_;
  ASSERT_EQ(Ctl({"battery"}), kOk) << err_;
  EXPECT_EQ(out_, "The Battery Voltage is: 4.1\xe9V\\x1b[31m\n");
  // JSON as nlohmann-json escapes it, U+FFFD for the stray byte.
  ASSERT_EQ(Ctl({"--json", "info"}), kOk) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_)["serial_number"], serial);
  ASSERT_EQ(Ctl({"--json", "battery"}), kOk) << err_;
  EXPECT_FALSE(nlohmann::json::parse(out_, nullptr, false).is_discarded()) << out_;
  EXPECT_TRUE(Has(out_, "4.1\xef\xbf\xbdV")) << out_;
}

TEST_F(K470ctlWithSim, RetriesWaitForAReaderThatComesLate) {
  const pid_t ctl = StartCtl({"--retries", "5", "info"});
  std::this_thread::sleep_for(1500ms);
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  EXPECT_EQ(Finish(ctl), kOk) << err_;
}

}  // namespace
}  // namespace k470::e2e
