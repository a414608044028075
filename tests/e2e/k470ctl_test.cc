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

// "-" reads standard input where a subcommand reads a file and, for -o,
// writes standard output: the same bytes and texts as through files, the
// same rules (a settings image of 640 bytes), and standard output only for
// one reader's file and a run without --json.
TEST_F(K470ctlWithSim, ADashIsStandardInputForFilesAndStandardOutputForOutput) {
  const std::string site = Path("site.K470"), other = Path("other.K470"), json = Path("site.json");
  WriteFile(Path("current.K470"), Image(4, true));
  WriteFile(Path("tags.txt"), "E2801160AAAA\r\nE2801160BBBB\r\n");
  WriteFile(Path("short.K470"), Image(3, true).substr(0, 100));
  WriteFile(other, Image(6, true));
  ASSERT_EQ(Ctl({"new", "-o", site}, false), kOk) << err_;
  ASSERT_EQ(Ctl({"export", site, "-o", json}, false), kOk) << err_;
  ASSERT_NO_FATAL_FAILURE(
      StartSim({"--image", Path("current.K470"), "--memory-data", Path("tags.txt")}));
  struct Row {
    std::vector<std::string> args;  // with --port
    std::string in;                 // the file on stdin, if any
    int code;
    std::string out;  // all of stdout; for "like the file", what the file in place of "-" gives
    std::string err = "";
  };
  const std::string like_file = "like the file";
  const Row rows[] = {
      {{"read", "-o", "-"}, "", kOk, Image(4, true)},
      {{"upload", "-o", "-"}, "", kOk, ReadFile(Path("tags.txt"))},
      {{"new", "-o", "-"}, "", kOk, ReadFile(site)},
      {{"import", "-", "-o", "-"}, json, kOk, ReadFile(site)},
      {{"export", "-", "-o", "-"}, site, kOk, ReadFile(json)},
      {{"diff", "-", other}, site, 1, like_file},
      {{"diff", other, "-"}, site, 1, like_file},
      {{"show", "-"}, other, kOk, like_file},
      {{"apply", "-"},
       other,
       kOk,
       reader_ + "\tK471-000123\tunchanged\tmatches standard input\n"
                 "summary: 1 reader, 1 unchanged\n"},
      {{"download", "-"},
       Path("short.K470"),
       kFileError,
       "",
       "standard input is 100 bytes, not 640"},
      {{"diff", "-", "-"}, site, kUsageError, "", "not both"},
      {{"read", "-o", "-", "--json"}, "", kUsageError, "", "give one of them"},
      {{"read", "--output-pattern", "-"}, "", kUsageError, "", "takes the file of one reader"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.front() + " " + row.args.back() + " < " + row.in);
    if (row.args.front() == "apply") {  // the reader holds `other` now
      ASSERT_EQ(Finish(StartCtl({"download", "-", "--clock", "skip"}, true, "", other)), kOk);
    }
    EXPECT_EQ(Finish(StartCtl(row.args, true, "", row.in)), row.code) << err_;
    EXPECT_TRUE(Has(err_, row.err)) << err_;
    if (row.out == like_file) {
      std::vector<std::string> named = row.args;
      std::replace(named.begin(), named.end(), std::string("-"), row.in);
      const std::string piped = out_;
      EXPECT_EQ(Ctl(named), row.code);
      EXPECT_EQ(piped, out_);
    } else if (row.code != kUsageError) {
      EXPECT_EQ(out_, row.out);
    }
  }
  EXPECT_EQ(ReadFile(Path("current.K470")), Image(6, true)) << "the short file went nowhere";
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
