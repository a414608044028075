// k470ctl against hostile ports and input, beyond the faulty readers of the
// fault matrix: nothing written where it does not belong, interrupted runs
// that give the port back, no failure reported as success, and messages that
// say why.
#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

constexpr int kInterrupted = 130;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(K470ctlWithSim, NothingIsWrittenToAPortThatIsNoTerminalDevice) {
  WriteFile(Path("victim.K470"), Image(1, true));
  for (const std::string& port :
       {Path("victim.K470"), std::string("/dev/null"), std::string("/dev/zero"), Path("")}) {
    SCOPED_TRACE(port);
    EXPECT_EQ(Ctl({"--port", port, "info"}, false), kPortError) << err_;
    EXPECT_TRUE(Has(err_, "not a serial port") || Has(err_, "Is a directory")) << err_;
    EXPECT_EQ(Ctl({"--port", port, "pin", "1234"}, false), kPortError) << err_;
  }
  EXPECT_EQ(ReadFile(Path("victim.K470")), Image(1, true));
}

TEST_F(K470ctlWithSim, CtrlCSendsExitReleasesThePortAndEndsWith130) {
  // At 1200 baud a read-back takes seconds: time to interrupt it half-way.
  ASSERT_NO_FATAL_FAILURE(StartSim({"--baud", "1200"}));
  const pid_t ctl = StartCtl({"read", "-o", Path("r.K470")});
  ASSERT_TRUE(SimGot("R003010")) << SimLog();
  ::kill(ctl, SIGINT);
  EXPECT_EQ(Finish(ctl), kInterrupted) << err_;
  EXPECT_TRUE(Has(err_, "interrupted")) << err_;
  EXPECT_TRUE(SimGot("EXIT\\r")) << SimLog();
  EXPECT_FALSE(fs::exists(Path("r.K470")));
  // The port was given back: the next run gets it.
  EXPECT_EQ(Ctl({"battery"}), kOk) << err_;
}

TEST_F(K470ctlWithSim, JsonStaysValidWhateverBytesTheReaderSends) {
  ASSERT_NO_FATAL_FAILURE(StartSim({"--serial", "SN\xff\xfe-01", "--battery", "4.1\xe9V"}));
  for (const char* command : {"info", "battery"}) {
    ASSERT_EQ(Ctl({"--json", command}), kOk) << err_;
    EXPECT_FALSE(nlohmann::json::parse(out_, nullptr, false).is_discarded()) << out_;
  }
  EXPECT_TRUE(Has(out_, "4.1\xef\xbf\xbdV")) << out_;  // U+FFFD for the stray byte
}

TEST_F(K470ctlWithSim, FailuresAreNeverReportedAsSuccess) {
  WriteFile(Path("short.K470"), std::string(100, '\0'));
  const std::pair<std::vector<std::string>, int> refused_before_the_port[] = {
      {{"pin", "#@SYS_MEMCLR"}, kUsageError},
      {{"pin", "ab\rcd"}, kUsageError},
      {{"pin", std::string(17, '7')}, kUsageError},
      {{"clock", "--time", "2024-02-30T10:00:00"}, kUsageError},
      {{"clock", "--time", "+2024-+1-+1 1:1:1"}, kUsageError},
      {{"clock", "--time", " 2024-02-01 10:00:00"}, kUsageError},
      {{"clock", "--time", ""}, kUsageError},
      {{"download", Path("short.K470")}, kFileError},
  };
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  for (const auto& [args, code] : refused_before_the_port) {
    SCOPED_TRACE(args.back());
    EXPECT_EQ(Ctl(args), code) << err_;
  }
  EXPECT_TRUE(Has(err_, "is 100 bytes, not 640")) << err_;
  EXPECT_FALSE(Has(SimLog(), "k470sim: <")) << "nothing reached the reader: " << SimLog();

  // Output that cannot be written is a file error, not a success.
  EXPECT_EQ(Finish(StartCtl({"battery"}, true, "/dev/full")), kFileError) << err_;
}

TEST_F(K470ctlWithSim, MessagesSayWhyAndTheSmallThingsAreRight) {
  ASSERT_NO_FATAL_FAILURE(StartSim({"--non-hex"}));
  EXPECT_EQ(Ctl({"read", "-o", Path("r.K470")}), kReaderError);
  EXPECT_TRUE(Has(err_, "Failed to read!") && Has(err_, "block 0") && Has(err_, "hex")) << err_;

  ASSERT_NO_FATAL_FAILURE(StartSim({"--vanish-after", "5"}));
  EXPECT_EQ(Ctl({"read", "-o", Path("r.K470")}), kReaderError);
  EXPECT_TRUE(Has(err_, "disconnected")) << err_;

  EXPECT_EQ(Ctl({"new", "-o", Path("no/such/dir/x.K470")}, false), kFileError);
  EXPECT_TRUE(Has(err_, "No such file or directory")) << err_;
  EXPECT_EQ(Ctl({"frobnicate"}, false), kUsageError);
  EXPECT_TRUE(err_.starts_with("k470ctl: unknown subcommand 'frobnicate'")) << err_;

  // Writing through a symbolic link replaces the file it leads to, not the link.
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
}

TEST_F(K470ctlWithSim, FileErrorsNameTheirRealCauseNeverSuccess) {
  fs::create_directories(dir_ / "folder");
  WriteFile(Path("empty.json"), "");
  WriteFile(Path("site.K470"), Image(1, true));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"new", "-o", "/dev/full"}, "cannot write /dev/full: not a regular file"},
      {{"new", "-o", Path("folder")}, "cannot write " + Path("folder") + ": Is a directory"},
      {{"new", "-o", "."}, "cannot write .: Is a directory"},
      {{"export", Path("site.K470"), "-o", "/dev/full"}, "/dev/full: not a regular file"},
      {{"export", Path("site.K470"), "-o", "."}, "cannot write .: Is a directory"},
      {{"import", Path("empty.json"), "-o", Path("x.K470")},
       "cannot read " + Path("empty.json") + ": empty file"},
      {{"import", Path("folder"), "-o", Path("x.K470")}, ": Is a directory"},
      {{"upload", "-o", "/dev/full"}, "cannot write /dev/full: not a regular file"},
      {{"upload", "-o", "."}, "cannot write .: Is a directory"},
      {{"download", Path("folder")}, ": Is a directory"},
      {{"show", Path("folder")},
       "cannot read settings file " + Path("folder") + ": Is a directory"},
  };
  for (const auto& [args, cause] : cases) {
    SCOPED_TRACE(args.front() + " " + args.back());
    EXPECT_EQ(Ctl(args, false), kFileError) << err_;
    EXPECT_TRUE(Has(err_, cause)) << err_;
    EXPECT_FALSE(Has(err_, "Success")) << err_;
  }
  EXPECT_FALSE(fs::exists(Path("x.K470")));
  struct stat st {};
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode)) << "/dev/full is still the device";

  // Output that fails half-way says why, though the failure was long before the end.
  EXPECT_EQ(Finish(StartCtl({"show", Path("site.K470")}, false, "/dev/full")), kFileError);
  EXPECT_EQ(err_, "k470ctl: cannot write the output: No space left on device\n");
  EXPECT_EQ(Finish(StartCtl({"--json", "new", "-o", Path("n.K470")}, false, "/dev/full")),
            kFileError);
  EXPECT_EQ(err_, "k470ctl: cannot write the output: No space left on device\n");
}

TEST_F(K470ctlWithSim, TextsFromTheReaderReachTheTerminalEscaped) {
  // A serial number that would set the window title and clear the screen,
  // with a TAB, an LF, a backslash and a C1 CSI in UTF-8 besides.
  const std::string serial = "SN\x1b]0;owned\x07\x1b[2J\t|\n|\\x07|\xc2\x9b";
  ASSERT_NO_FATAL_FAILURE(StartSim({"--serial", serial, "--battery", "4.1V\x1b[31m"}));
  ASSERT_EQ(Ctl({"info"}), kOk) << err_;
  EXPECT_TRUE(Has(out_, "Serial Number:  SN\\x1b]0;owned\\x07\\x1b[2J\\x09|\\x0a|\\\\x07|\\x9b\n"))
      << out_;
  ASSERT_EQ(Ctl({"battery"}), kOk) << err_;
  EXPECT_EQ(out_, "The Battery Voltage is: 4.1V\\x1b[31m\n");
  for (const char* command : {"info", "battery"}) {
    ASSERT_EQ(Ctl({command}), kOk) << err_;
    EXPECT_EQ(out_.find_first_of("\x1b\x07\t"), std::string::npos) << out_;
  }
  // JSON stays as nlohmann-json escapes it.
  ASSERT_EQ(Ctl({"--json", "info"}), kOk) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_)["serial_number"], serial);
}

TEST_F(K470ctlWithSim, RetriesWaitForAReaderThatComesLate) {
  const pid_t ctl = StartCtl({"--retries", "5", "info"});
  std::this_thread::sleep_for(1500ms);
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  EXPECT_EQ(Finish(ctl), kOk) << err_;
}

}  // namespace
}  // namespace k470::e2e
