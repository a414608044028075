// k470ctl end to end against k470sim: moving settings both ways, the
// identity, the service queries, the clock and PIN, and ports.
#include "tests/e2e/k470ctl_fixture.h"

#include <ctime>

namespace k470::e2e {
namespace {

TEST_F(K470ctlWithSim, ReadDownloadAndReadBackMoveTheImagesBothWays) {
  const std::vector<std::string> images = {"--image", Path("current.K470"), "--user-image",
                                           Path("user.K470")};
  ASSERT_NO_FATAL_FAILURE(StartSim(images));
  ASSERT_EQ(Ctl({"read", "-o", Path("fresh.K470")}), kOk) << err_;
  // "new" writes what a factory-fresh reader holds.
  ASSERT_EQ(Ctl({"new", "-o", Path("new.K470")}, false), kOk) << err_;
  const std::string fresh = ReadFile(Path("fresh.K470"));
  EXPECT_EQ(ReadFile(Path("new.K470")).substr(0, 638), fresh.substr(0, 638));

  // A file without its pair: both images get its bytes with the right one,
  // after the reader's clock was set (the default).
  WriteFile(Path("edited.K470"), Image(8, false));
  ASSERT_EQ(Ctl({"download", Path("edited.K470"), "--type", "both"}), kOk) << err_;
  EXPECT_EQ(ReadFile(Path("current.K470")), Image(8, true));
  EXPECT_EQ(ReadFile(Path("user.K470")), Image(8, true));
  EXPECT_EQ(ReadFile(Path("edited.K470")), Image(8, false)) << "the input file is the user's";
  EXPECT_TRUE(SimGot("#@SYS_TIME=")) << SimLog();

  // The user-defined image alone, then both read back from a restarted sim.
  WriteFile(Path("user_only.K470"), Image(9, true));
  ASSERT_EQ(Ctl({"download", Path("user_only.K470"), "--type", "user", "--clock", "skip"}), kOk)
      << err_;
  ASSERT_NO_FATAL_FAILURE(StartSim(images));
  ASSERT_EQ(Ctl({"read", "--type", "user", "-o", Path("user_read.K470")}), kOk) << err_;
  EXPECT_EQ(ReadFile(Path("user_read.K470")), Image(9, true));
  ASSERT_EQ(Ctl({"read", "-o", Path("current_read.K470")}), kOk) << err_;
  EXPECT_EQ(ReadFile(Path("current_read.K470")), Image(8, true));
}

TEST_F(K470ctlWithSim, InfoShowsTheIdentityAndRefusesAnotherModel) {
  ASSERT_NO_FATAL_FAILURE(StartSim({"--model", "K473", "--serial", "SN-0042", "--kernel", "Kern 9",
                                    "--user-version", "User 7", "--bt-mac", "11:22:33:44:55:66"}));
  const std::pair<const char*, std::string> fields[] = {
      {"port", reader_},
      {"device_type", "K470 - K473 UHF RFID Reader"},
      {"serial_number", "SN-0042"},
      {"kernel_version", "Kern 9"},
      {"user_version", "User 7"},
      {"bt_mac_id", "11:22:33:44:55:66"}};
  ASSERT_EQ(Ctl({"info"}), kOk) << err_;
  for (const auto& [key, value] : fields) EXPECT_NE(out_.find(value), std::string::npos) << value;
  ASSERT_EQ(Ctl({"--json", "info"}), kOk) << err_;
  const auto info = nlohmann::json::parse(out_, nullptr, false);
  for (const auto& [key, value] : fields) EXPECT_EQ(info.value(key, ""), value) << out_;

  ASSERT_NO_FATAL_FAILURE(StartSim({"--wrong-model"}));
  EXPECT_EQ(Ctl({"info"}), kReaderError) << err_;
  EXPECT_NE(err_.find("Device type is not match!"), std::string::npos) << err_;
}

TEST_F(K470ctlWithSim, EverySubcommandTakesThePortBeforeOrAfterItsNameAndDoesItsWork) {
  // Every subcommand, with --port before its name and after it (where most
  // people put it): the same outcome; --port never takes the file or code
  // that follows it as a second port. Tag data as a reader memorizes it:
  // 24-digit EPCs, CR LF; 1040 bytes take 2 KB.
  std::string data;
  for (long i = 0; i < 40; ++i)
    data += "E2801160" + std::to_string(9182736450001234 + 977 * i) + "\r\n";
  WriteFile(Path("memory.txt"), data);
  const std::string site = Path("site.K470"), json = Path("site.json");
  ASSERT_EQ(Ctl({"new", "-o", site}, false), kOk) << err_;
  ASSERT_EQ(Ctl({"export", site, "-o", json}, false), kOk) << err_;
  ASSERT_NO_FATAL_FAILURE(StartSim(
      {"--memory-data", Path("memory.txt"), "--memory-size", "4096", "--battery", "4.12V"}));
  WriteFile(Path("tags.txt"), "old contents that must go");
  ASSERT_EQ(Ctl({"--json", "upload", "-o", Path("tags.txt")}), kOk) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_, nullptr, false).value("bytes", 0u), data.size()) << out_;
  EXPECT_EQ(ReadFile(Path("tags.txt")), data);
  ASSERT_EQ(Ctl({"--json", "memsize"}), kOk) << err_;
  const auto memsize = nlohmann::json::parse(out_, nullptr, false);
  EXPECT_EQ(memsize.value("free_memory_kb", -1), 4094) << out_;
  EXPECT_EQ(memsize.value("text", ""), "The Free Memory Size is: 4094 KB") << out_;
  const struct {
    std::vector<std::string> args;
    std::string out = "";  // what it prints, where that is checked
  } runs[] = {
      {{"ports"}},
      {{"info"}},
      {{"download", site, "--clock", "skip"}},
      {{"read", "-o", Path("read.K470")}},
      {{"apply", site}},
      {{"diff", Path("read.K470"), "--reader"}},
      {{"battery"}, "The Battery Voltage is: 4.12V\n"},
      {{"memsize"}, "The Free Memory Size is: 4094 KB\n"},
      {{"clock", "--time", "2024-05-06 07:08:09"}},
      {{"pin", "4321"}},
      {{"upload", "-o", Path("tags.txt")}},
      {{"memclear"}, "Clear Memory Successful!\n"},
      {{"memsize"}, "The Free Memory Size is: 4096 KB\n"},
      {{"new", "-o", Path("new.K470")}},
      {{"show", site}},
      {{"export", site}},
      {{"import", json, "-o", Path("imported.K470")}},
  };
  for (const auto& run : runs) {
    std::vector<std::string> before = {"--port", reader_};
    before.insert(before.end(), run.args.begin(), run.args.end());
    std::vector<std::string> after = {run.args.front(), "--port", reader_};
    after.insert(after.end(), run.args.begin() + 1, run.args.end());
    SCOPED_TRACE(run.args.front());
    ASSERT_EQ(Ctl(before, false), kOk) << err_;
    const std::string out_before = out_;
    EXPECT_TRUE(run.out.empty() || out_ == run.out) << out_;
    ASSERT_EQ(Ctl(after, false), kOk) << err_;
    const bool varies = run.args.front() == "upload" || run.args.front() == "apply";
    EXPECT_TRUE(varies || out_ == out_before) << out_;
  }
  EXPECT_EQ(ReadFile(Path("imported.K470")), ReadFile(site));
  EXPECT_TRUE(SimGot("#@SYS_TIME=24,05,06,07,08,09\\r")) << SimLog();
  EXPECT_TRUE(SimGot("4321\\r")) << SimLog();

  // Without --time: this computer's local date.
  auto today = [] {
    char text[32];
    std::time_t now = std::time(nullptr);
    std::strftime(text, sizeof text, "#@SYS_TIME=%y,%m,%d,", std::localtime(&now));
    return std::string(text);
  };
  const std::string day_before = today();
  ASSERT_EQ(Ctl({"clock"}), kOk) << err_;
  EXPECT_TRUE(SimGot(day_before) || SimGot(today())) << SimLog();
}

TEST_F(K470ctlWithSim, ThePortRememberedByItsStableNameIsUsedAndABadEntrySaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  fs::create_directories(dir_ / "nothing");
  const std::vector<std::string> no_usb = {"--sysfs-root", Path("nothing"), "--dev-root",
                                           Path("nothing")};
  WriteIni("@ComPort#" + reader_ + "\r\n");
  std::vector<std::string> args = no_usb;
  args.push_back("info");
  ASSERT_EQ(Ctl(args, false), kOk) << err_;
  EXPECT_NE(out_.find("Port:           " + reader_ + "\n"), std::string::npos) << out_;
  EXPECT_EQ(err_, "");

  // An entry that cannot be used counts as none, and k470ctl says so.
  WriteIni("@ComPort#" + reader_ + "\x7f\r\n");
  EXPECT_EQ(Ctl(args, false), kPortError) << err_;
  EXPECT_NE(err_.find("ignored the port entry of " + Path("config/K470Configuration/") +
                      "K470Configuration.ini: the port name holds the control character 0x7F"),
            std::string::npos)
      << err_;
  EXPECT_NE(err_.find("no reader port"), std::string::npos) << err_;
}

// A reader on USB with a by-id link, as udev makes it.
TEST_F(K470ctlWithSim, PortsListsReadersByStableNameWithTheirDeviceNow) {
  UsbReader("ttyACM3", 2);
  WriteFile(Path("dev/ttyACM3"), "");
  const std::string by_id = Path("dev/serial/by-id/usb-K470_Reader_K471-7-if00");
  fs::create_symlink("../../ttyACM3", by_id);
  const std::string device = fs::canonical(Path("dev/ttyACM3")).string();
  ASSERT_EQ(Ctl(UsbRoots({"ports"}), false), kOk) << err_;
  EXPECT_EQ(out_, by_id + " -> " + device + "\n");
  ASSERT_EQ(Ctl(UsbRoots({"--json", "ports"}), false), kOk) << err_;
  EXPECT_EQ(nlohmann::json::parse(out_, nullptr, false),
            (nlohmann::json::array({{{"port", by_id}, {"device", device}}})))
      << out_;
}

}  // namespace
}  // namespace k470::e2e
