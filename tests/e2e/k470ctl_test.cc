// k470ctl end to end: the real program against the k470sim program on a
// pseudo-terminal, each in a process of its own. The reader's side is
// observed through the sim's image files and its log of received lines.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/child_process.h"

namespace k470::e2e {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

constexpr std::size_t kImageBytes = 640;

// Exit codes as k470ctl documents them in its help.
constexpr int kOk = 0;
constexpr int kReaderError = 1;
constexpr int kUsageError = 2;
constexpr int kPortError = 3;
constexpr int kFileError = 4;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool WaitFor(const std::function<bool()>& done, milliseconds limit = milliseconds(3000)) {
  for (auto end = std::chrono::steady_clock::now() + limit;
       std::chrono::steady_clock::now() < end;) {
    if (done()) return true;
    std::this_thread::sleep_for(milliseconds(10));
  }
  return done();
}

// 640 bytes that differ per seed and use every hex digit.
std::string PatternImage(unsigned seed) {
  std::string image(kImageBytes, '\0');
  for (std::size_t i = 0; i < kImageBytes; ++i) {
    image[i] = static_cast<char>(i * 53 + seed * 29 + (i >> 7));
  }
  return image;
}

// Byte 638: low 8 bits of the sum of bytes 0-637; byte 639: its complement.
std::string WithChecksumPair(std::string image) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 638; ++i) sum += static_cast<unsigned char>(image[i]);
  image[638] = static_cast<char>(sum & 0xFF);
  image[639] = static_cast<char>(~sum & 0xFF);
  return image;
}

// Tag data as a reader memorizes it: hex EPCs, CR LF. Hex digits never spell
// the "OK" that ends an upload piece, and 40 lines (1040 bytes, 1043 with the
// final "OK\r") do not split that "OK\r" across two 63-byte reads.
std::string MemorizedData() {
  std::string data;
  for (unsigned i = 0; i < 40; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "E280%08X1160%08X\r\n", 0x9A3C5u + 977u * i, 0xB0D1u * i);
    data += line;
  }
  return data;
}

std::string Escaped(std::string text) {
  for (std::size_t at = 0; (at = text.find('\r', at)) != std::string::npos; at += 2) {
    text.replace(at, 1, "\\r");
  }
  return text;
}

class K470ctlWithSim : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::path(::testing::TempDir()) / "k470e2e.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    link_ = (dir_ / "reader").string();
    env_ = EnvironmentWith("XDG_CONFIG_HOME", (dir_ / "config").string());
  }

  void TearDown() override {
    sim_.Stop();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Starts k470sim (stopping an earlier one) with `options`, logging what it
  // receives, and waits for its link to the pty.
  void StartSim(const std::vector<std::string>& options) {
    sim_.Stop();
    std::vector<std::string> argv = {K470SIM_PATH, "--link", link_, "--verbose"};
    argv.insert(argv.end(), options.begin(), options.end());
    ASSERT_TRUE(sim_.Start(argv, env_, (dir_ / "sim.out").string(), (dir_ / "sim.err").string()));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(link_) || !sim_.Running(); }, milliseconds(10000)));
    ASSERT_TRUE(sim_.Running()) << SimLog();
  }

  std::string SimLog() const { return ReadFile(dir_ / "sim.err"); }

  // The sim's log line for a received line (CR included).
  static std::string LogLine(const std::string& line) { return "k470sim: < " + Escaped(line); }

  // The lines the sim received, as logged, from the last one equal to `from` on.
  std::vector<std::string> LoggedSince(const std::string& from) const {
    std::vector<std::string> lines;
    std::istringstream log(SimLog());
    for (std::string line; std::getline(log, line);) {
      if (!line.starts_with("k470sim: < ")) continue;
      if (line == LogLine(from)) lines.clear();
      lines.push_back(line);
    }
    return lines;
  }

  std::vector<std::string> AllLogged() const { return LoggedSince("\n"); }

  bool SimLogged(const std::string& line) const {
    return WaitFor([&] { return SimLog().find(LogLine(line) + "\n") != std::string::npos; });
  }

  // k470ctl with --port set to the sim.
  RunResult Ctl(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--port", link_};
    all.insert(all.end(), args.begin(), args.end());
    return CtlBare(all);
  }

  RunResult CtlBare(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {K470CTL_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, env_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // What k470ctl said, and how the sim fared, for a failure message.
  std::string Describe(const RunResult& r) {
    std::string log = SimLog();
    if (log.size() > 2000) log = "..." + log.substr(log.size() - 2000);
    return "exit " + std::to_string(r.exit_code) + "\nstdout: " + r.out + "\nstderr: " + r.err +
           "\nk470sim " + (sim_.Running() ? "running" : "ended") + ", its log:\n" + log;
  }

  fs::path dir_;
  std::string link_;
  std::vector<std::string> env_;
  Background sim_;
};

TEST_F(K470ctlWithSim, ReadAndDownloadMoveTheImageBothWays) {
  const std::string seeded = WithChecksumPair(PatternImage(7));
  WriteFile(Path("current.K470"), seeded);
  ASSERT_NO_FATAL_FAILURE(StartSim({"--image", Path("current.K470")}));

  RunResult r = Ctl({"read", "-o", Path("read.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("read.K470")), seeded);

  // A file with a wrong pair: the reader gets its bytes with the right one.
  std::string edited = PatternImage(8);
  edited[638] = edited[639] = '\0';
  WriteFile(Path("edited.K470"), edited);
  r = Ctl({"download", Path("edited.K470"), "--clock", "skip"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  const std::string on_reader = ReadFile(Path("current.K470"));
  ASSERT_EQ(on_reader.size(), kImageBytes);
  EXPECT_EQ(on_reader.substr(0, 638), edited.substr(0, 638));
  EXPECT_EQ(on_reader, WithChecksumPair(edited));
  EXPECT_EQ(ReadFile(Path("edited.K470")), edited) << "the input file is the user's";

  r = Ctl({"read", "-o", Path("again.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("again.K470")), on_reader);
  EXPECT_EQ(LoggedSince("#@SYS_INFO?\r").size(), 1u + 1u + 40u + 1u)
      << "identity, service mode, 40 requests, UPDATE; no settings-type command:\n"
      << SimLog();
}

TEST_F(K470ctlWithSim, SettingsTypesLandInTheirOwnImage) {
  ASSERT_NO_FATAL_FAILURE(
      StartSim({"--image", Path("current.K470"), "--user-image", Path("user.K470")}));
  RunResult r = Ctl({"read", "-o", Path("factory.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  const std::string factory = ReadFile(Path("factory.K470"));
  ASSERT_EQ(factory.size(), kImageBytes);

  WriteFile(Path("a.K470"), PatternImage(1));
  r = Ctl({"download", Path("a.K470"), "--type", "user", "--clock", "skip"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("user.K470")), WithChecksumPair(PatternImage(1)));
  EXPECT_EQ(ReadFile(Path("current.K470")), factory);

  r = Ctl({"read", "--type", "user", "-o", Path("user_read.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("user_read.K470")), WithChecksumPair(PatternImage(1)));
  r = Ctl({"read", "-o", Path("current_read.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("current_read.K470")), factory);

  // Both images, and the reader's clock set first (the default).
  WriteFile(Path("b.K470"), PatternImage(2));
  r = Ctl({"download", Path("b.K470"), "--type", "both"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("user.K470")), WithChecksumPair(PatternImage(2)));
  EXPECT_EQ(ReadFile(Path("current.K470")), WithChecksumPair(PatternImage(2)));

  const std::vector<std::string> lines = LoggedSince("#@SYS_INFO?\r");
  ASSERT_EQ(lines.size(), 4u + 40u + 1u) << SimLog();
  EXPECT_TRUE(lines[1].starts_with(LogLine("#@SYS_TIME="))) << lines[1];
  EXPECT_EQ(lines[2], LogLine("#@402718\r"));
  EXPECT_EQ(lines[3], LogLine("WRITE_B\r"));
  EXPECT_TRUE(lines[4].starts_with(LogLine("000010"))) << lines[4];
  EXPECT_EQ(lines.back(), LogLine("UPDATE\r"));
}

TEST_F(K470ctlWithSim, InfoShowsTheIdentityAsTextAndJson) {
  ASSERT_NO_FATAL_FAILURE(
      StartSim({"--model", "K473", "--serial", "SN-0042", "--kernel", "Kernel V9.99",
                "--user-version", "User V0.07", "--bt-mac", "11:22:33:44:55:66"}));
  RunResult r = Ctl({"info"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  for (const char* text : {"K470 - K473 UHF RFID Reader", "SN-0042", "Kernel V9.99", "User V0.07",
                           "11:22:33:44:55:66"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << " missing from\n" << r.out;
  }
  EXPECT_NE(r.out.find(link_), std::string::npos) << r.out;

  r = Ctl({"--json", "info"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  const auto info = nlohmann::json::parse(r.out, nullptr, false);
  ASSERT_FALSE(info.is_discarded()) << r.out;
  EXPECT_EQ(info.value("port", ""), link_);
  EXPECT_EQ(info.value("device_type", ""), "K470 - K473 UHF RFID Reader");
  EXPECT_EQ(info.value("serial_number", ""), "SN-0042");
  EXPECT_EQ(info.value("kernel_version", ""), "Kernel V9.99");
  EXPECT_EQ(info.value("user_version", ""), "User V0.07");
  EXPECT_EQ(info.value("bt_mac_id", ""), "11:22:33:44:55:66");
}

TEST_F(K470ctlWithSim, ServiceQueriesReportWhatTheReaderSays) {
  WriteFile(Path("memory.txt"), std::string(3000, 'A'));
  ASSERT_NO_FATAL_FAILURE(StartSim(
      {"--memory-data", Path("memory.txt"), "--memory-size", "4096", "--battery", "4.12V"}));

  RunResult r = Ctl({"battery"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(r.out, "The Battery Voltage is: 4.12V\n");
  r = Ctl({"--json", "battery"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(nlohmann::json::parse(r.out, nullptr, false).value("battery", ""), "4.12V") << r.out;

  auto free_kb = [&]() -> int {
    RunResult m = Ctl({"--json", "memsize"});
    EXPECT_EQ(m.exit_code, kOk) << Describe(m);
    const auto json = nlohmann::json::parse(m.out, nullptr, false);
    const int kb = json.value("free_memory_kb", -1);
    EXPECT_EQ(json.value("text", ""), "The Free Memory Size is: " + std::to_string(kb) + " KB")
        << m.out;
    return kb;
  };
  const int before = free_kb();
  EXPECT_GT(before, 0);
  EXPECT_LT(before, 4096) << "3000 bytes of data take room";

  r = Ctl({"memclear"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(r.out, "Clear Memory Successful!\n");
  EXPECT_EQ(free_kb(), 4096);

  // The port remembered in the .ini file of the configuration folder.
  std::string device = ReadFile(Path("sim.out"));
  device = device.substr(0, device.find('\n'));
  ASSERT_TRUE(device.starts_with("/dev/")) << device;
  fs::create_directories(dir_ / "config" / "K470Configuration");
  WriteFile(dir_ / "config" / "K470Configuration" / "K470Configuration.ini",
            "@ComPort#" + device + "\r\n");
  r = CtlBare({"memsize"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(r.out, "The Free Memory Size is: 4096 KB\n");
}

TEST_F(K470ctlWithSim, ClockAndPinCodeReachTheReader) {
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  RunResult r = Ctl({"clock", "--time", "2012-08-28 05:26:11"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_TRUE(SimLogged("#@SYS_TIME=12,08,28,05,26,11\r")) << SimLog();

  // Without --time: this computer's local date.
  auto today = [] {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%y,%m,%d,", &local);
    return std::string(text);
  };
  const std::string day_before = today();
  r = Ctl({"clock"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  const std::string day_after = today();
  const std::vector<std::string> lines = LoggedSince("#@SYS_INFO?\r");
  ASSERT_EQ(lines.size(), 2u) << SimLog();
  EXPECT_TRUE(lines[1].starts_with(LogLine("#@SYS_TIME=" + day_before)) ||
              lines[1].starts_with(LogLine("#@SYS_TIME=" + day_after)))
      << lines[1];

  // A date the reader refuses.
  r = Ctl({"clock", "--time", "2013-02-30 10:00:00"});
  EXPECT_EQ(r.exit_code, kReaderError) << Describe(r);
  EXPECT_NE(r.err.find("Failed to update system clock!"), std::string::npos) << r.err;
  EXPECT_TRUE(SimLogged("EXIT\r")) << SimLog();

  r = Ctl({"pin", "4321"});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_TRUE(SimLogged("4321\r")) << SimLog();
}

TEST_F(K470ctlWithSim, UploadWritesTheMemorizedDataToTheFile) {
  const std::string data = MemorizedData();
  WriteFile(Path("memory.txt"), data);
  ASSERT_NO_FATAL_FAILURE(StartSim({"--memory-data", Path("memory.txt")}));
  WriteFile(Path("upload.txt"), "old contents that must go");
  RunResult r = Ctl({"--json", "upload", "-o", Path("upload.txt")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  EXPECT_EQ(ReadFile(Path("upload.txt")), data);
  const auto json = nlohmann::json::parse(r.out, nullptr, false);
  EXPECT_EQ(json.value("bytes", std::size_t{0}), data.size()) << r.out;
  EXPECT_EQ(json.value("file", ""), Path("upload.txt")) << r.out;
}

TEST_F(K470ctlWithSim, NewWritesWhatAFactoryFreshReaderHolds) {
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  RunResult r = Ctl({"new", "-o", Path("new.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  r = Ctl({"read", "-o", Path("fresh.K470")});
  ASSERT_EQ(r.exit_code, kOk) << Describe(r);
  const std::string fresh = ReadFile(Path("fresh.K470"));
  const std::string made = ReadFile(Path("new.K470"));
  ASSERT_EQ(made.size(), kImageBytes);
  EXPECT_EQ(made.substr(0, 638), fresh.substr(0, 638));
  EXPECT_NE(made, std::string(kImageBytes, '\0'));
}

TEST_F(K470ctlWithSim, ExitCodesTellUsagePortAndFileErrorsApart) {
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  const std::string missing_dir = Path("no/such/dir");
  const std::string absent_port = Path("no-reader");
  struct Case {
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {{}, kUsageError},
      {{"--port", link_, "read"}, kUsageError},  // -o missing
      {{"--port", link_, "download", Path("x.K470"), "--type", "odd"}, kUsageError},
      {{"--port", link_, "pin", "12345678901234567"}, kUsageError},  // 17 characters
      {{"--port", link_, "clock", "--time", "yesterday"}, kUsageError},
      {{"--port", absent_port, "info"}, kPortError},
      {{"--port", absent_port, "read", "-o", Path("r.K470")}, kPortError},
      {{"--port", absent_port, "upload", "-o", Path("u.txt")}, kPortError},
      {{"--port", absent_port, "pin", "1234"}, kPortError},
      {{"--sysfs-root", Path("empty"), "battery"}, kPortError},  // none configured or found
      {{"--port", link_, "download", Path("absent.K470")}, kFileError},
      {{"--port", link_, "read", "-o", missing_dir + "/r.K470"}, kFileError},
      {{"--port", link_, "upload", "-o", missing_dir + "/u.txt"}, kFileError},
      {{"new", "-o", missing_dir + "/n.K470"}, kFileError},
  };
  fs::create_directories(dir_ / "empty");
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    const RunResult r = CtlBare(c.args);
    EXPECT_EQ(r.exit_code, c.code) << Describe(r);
    if (c.code != kUsageError) {
      EXPECT_TRUE(r.err.starts_with("k470ctl: ")) << r.err;
    }
  }
  EXPECT_FALSE(fs::exists(Path("r.K470")));
  EXPECT_TRUE(sim_.Running()) << "errors on the host side leave the reader alone";
}

TEST_F(K470ctlWithSim, ReaderErrorsEndWithCodeOneAndNoOutputFile) {
  ASSERT_NO_FATAL_FAILURE(StartSim({"--wrong-model"}));
  RunResult r = Ctl({"info"});
  EXPECT_EQ(r.exit_code, kReaderError) << Describe(r);
  EXPECT_NE(r.err.find("Device type is not match!"), std::string::npos) << r.err;
  EXPECT_TRUE(WaitFor([&] { return AllLogged().size() >= 3; }));
  EXPECT_EQ(AllLogged().size(), 3u) << "identity twice, then EXIT\n" << SimLog();

  ASSERT_NO_FATAL_FAILURE(StartSim({"--silent"}));
  r = Ctl({"battery"});
  EXPECT_EQ(r.exit_code, kReaderError) << Describe(r);
  EXPECT_EQ(r.out, "");
  // Asked twice (the second time after reopening the port), then told to leave.
  const std::vector<std::string> asked = {LogLine("#@SYS_INFO?\r"), LogLine("#@SYS_INFO?\r"),
                                          LogLine("EXIT\r")};
  EXPECT_TRUE(WaitFor([&] { return AllLogged().size() >= asked.size(); }));
  EXPECT_EQ(AllLogged(), asked) << SimLog();

  // A read-back that fails writes no settings file.
  ASSERT_NO_FATAL_FAILURE(StartSim({"--no-ack-update"}));
  r = Ctl({"read", "-o", Path("never.K470")});
  EXPECT_EQ(r.exit_code, kReaderError) << Describe(r);
  EXPECT_NE(r.err.find("Failed to read!"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(Path("never.K470")));
  EXPECT_TRUE(SimLogged("EXIT\r")) << SimLog();
}

}  // namespace
}  // namespace k470::e2e
