// k470ctl against hostile ports and faulty readers: nothing lost, nothing
// hanging, no failure reported as success, and messages that say why.
#include <fcntl.h>
#include <termios.h>

#include <atomic>
#include <cstdlib>

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

TEST_F(K470ctlWithSim, UploadKeepsDataEndingInOkAndNeverEmptiesTheOldFile) {
  // Tag lines that end in "ok": data, not the reader's acknowledgement.
  std::string data;
  for (int i = 0; i < 150; ++i) data += "E280116000000000000" + std::to_string(i % 10) + " ok\n";
  WriteFile(Path("memory.txt"), data);
  ASSERT_NO_FATAL_FAILURE(StartSim({"--memory-data", Path("memory.txt")}));
  ASSERT_EQ(Ctl({"upload", "-o", Path("tags.txt")}), kOk) << err_;
  EXPECT_EQ(ReadFile(Path("tags.txt")), data);

  // A reader that does not answer: the old file stays, nothing is left beside it.
  WriteFile(Path("tags.txt"), "yesterday's tags");
  ASSERT_NO_FATAL_FAILURE(StartSim({"--silent"}));
  EXPECT_EQ(Ctl({"upload", "-o", Path("tags.txt")}), kReaderError) << err_;
  EXPECT_EQ(ReadFile(Path("tags.txt")), "yesterday's tags");
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".tags.txt")) << entry.path();
  }
  EXPECT_FALSE(fs::exists(Path("tags.txt.partial")));
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

// A device that talks all the time but never ends a line with CR.
class ChatteringDevice {
 public:
  ChatteringDevice() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      path_ = ::ptsname(master_);
    }
    thread_ = std::thread([this] {
      while (!stop_) {
        [[maybe_unused]] ssize_t n = ::write(master_, "noise\n", 6);
        char sink[256];
        n = ::read(master_, sink, sizeof sink);  // what the host sends
        std::this_thread::sleep_for(100ms);
      }
    });
    ::fcntl(master_, F_SETFL, O_NONBLOCK);
  }
  ~ChatteringDevice() {
    stop_ = true;
    thread_.join();
    ::close(master_);
  }
  const std::string& path() const { return path_; }

 private:
  int master_;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST_F(K470ctlWithSim, ADeviceThatNeverEndsItsLinesFailsInsteadOfHanging) {
  ChatteringDevice device;
  ASSERT_FALSE(device.path().empty());
  EXPECT_EQ(Ctl({"--port", device.path(), "info"}, false), kReaderError) << err_;
  EXPECT_TRUE(Has(err_, "does not answer")) << err_;
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

  // Upload and PIN identify the reader first, as every other operation does.
  for (const char* fault : {"--wrong-model", "--silent"}) {
    ASSERT_NO_FATAL_FAILURE(StartSim({fault}));
    EXPECT_EQ(Ctl({"upload", "-o", Path("tags.txt")}), kReaderError) << fault << err_;
    EXPECT_EQ(Ctl({"pin", "1234"}), kReaderError) << fault << err_;
    EXPECT_FALSE(Has(SimLog(), "1234\\r")) << SimLog();
  }
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
