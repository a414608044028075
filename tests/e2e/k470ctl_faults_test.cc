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

TEST_F(K470ctlWithSim, RetriesWaitForAReaderThatComesLate) {
  const pid_t ctl = StartCtl({"--retries", "5", "info"});
  std::this_thread::sleep_for(1500ms);
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  EXPECT_EQ(Finish(ctl), kOk) << err_;
}

}  // namespace
}  // namespace k470::e2e
