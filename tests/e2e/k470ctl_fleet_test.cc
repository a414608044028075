// k470ctl on several virtual readers at once: every reader gets a file of its
// own, texts never break the lines, apply changes only what differs, and
// --all finds the readers. What one faulty reader beside a healthy one does
// to a run is the fault matrix's second column.
#include <map>
#include <sstream>

#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

class K470ctlWithSims : public K470ctlWithSim {
 protected:
  // Starts one more k470sim serving `count` readers, logging what they
  // receive to sims-<n>.err; returns their links.
  std::vector<std::string> StartSims(int count, std::vector<std::string> options) {
    const std::string n = std::to_string(sims_.size() + 1);
    const std::string link = reader_ + "-s" + n;
    options.insert(options.begin(),
                   {K470SIM_PATH, "--link", link, "--verbose", "--count", std::to_string(count)});
    sims_.push_back(Spawn(options, Path("sims-" + n + ".out"), Path("sims-" + n + ".err")));
    std::vector<std::string> links;
    for (int k = 1; k <= count; ++k) links.push_back(Nth(link, k, count));
    EXPECT_TRUE(WaitFor([&] { return fs::exists(links.back()); }));
    return links;
  }

  std::string SimsLog(int n) const { return ReadFile(Path("sims-" + std::to_string(n) + ".err")); }

  // `args` after a --port for each of `ports`.
  static std::vector<std::string> OnPorts(const std::vector<std::string>& ports,
                                          std::vector<std::string> args) {
    for (auto it = ports.rbegin(); it != ports.rend(); ++it) {
      args.insert(args.begin(), {"--port", *it});
    }
    return args;
  }

  std::vector<nlohmann::json> JsonLines() const {
    std::vector<nlohmann::json> lines;
    std::istringstream in(out_);
    for (std::string line; std::getline(in, line);) {
      lines.push_back(nlohmann::json::parse(line, nullptr, false));
    }
    return lines;
  }
};

TEST_F(K470ctlWithSims, ReadWritesAFileForEachReaderAndRefusesPatternsThatCollide) {
  for (unsigned k = 1; k <= 3; ++k)
    WriteFile(Path("img.K470-" + std::to_string(k)), Image(k, true));
  const auto ports = StartSims(3, {"--image", Path("img.K470")});

  // Patterns that cannot tell the readers apart are refused before any reader hears a word.
  fs::create_directories(dir_ / "x");
  fs::create_directories(dir_ / "y");
  fs::create_symlink(ports[0], dir_ / "x/reader");
  fs::create_symlink(ports[1], dir_ / "y/reader");
  const std::vector<std::string> same_name = {Path("x/reader"), Path("y/reader")};
  EXPECT_EQ(Ctl(OnPorts(ports, {"read", "--output-pattern", Path("all.K470")}), false),
            kUsageError);
  EXPECT_EQ(Ctl(OnPorts(same_name, {"read", "--output-pattern", Path("{port}.K470")}), false),
            kUsageError);
  EXPECT_NE(err_.find("gives two readers the file " + Path("reader.K470")), std::string::npos)
      << err_;
  EXPECT_EQ(Ctl(OnPorts(ports, {"read", "-o", Path("one.K470")}), false), kUsageError);
  EXPECT_EQ(SimsLog(1).find(" < "), std::string::npos) << SimsLog(1);

  ASSERT_EQ(
      Ctl(OnPorts(ports, {"--json", "read", "--output-pattern", Path("r-{serial}.K470")}), false),
      kOk)
      << err_;
  for (unsigned k = 1; k <= 3; ++k) {
    const std::string file = Path("r-K471-00012" + std::to_string(2 + k) + ".K470");
    EXPECT_EQ(ReadFile(file), Image(k, true)) << file;
  }
  const auto lines = JsonLines();
  ASSERT_EQ(lines.size(), 4u) << out_;
  EXPECT_EQ(lines.back()["summary"]["results"], nlohmann::json({{"ok", 3}})) << out_;

  // Two readers that give one serial number: the first to answer gets the
  // file, the other is reported failed and never overwrites it.
  WriteFile(Path("twin.K470"), Image(9, true));
  std::vector<std::string> twins = {ports[0]};
  twins.push_back(StartSims(1, {"--serial", "K471-000123", "--image", Path("twin.K470")}).front());
  EXPECT_EQ(Ctl(OnPorts(twins, {"read", "--output-pattern", Path("t-{serial}.K470")}), false),
            kFileError);
  const std::string kept = ReadFile(Path("t-K471-000123.K470"));
  EXPECT_TRUE(kept == Image(1, true) || kept == Image(9, true));
  EXPECT_NE(out_.find("\tfailed\tanother reader of this run writes " + Path("t-K471-000123.K470")),
            std::string::npos)
      << out_;
}

TEST_F(K470ctlWithSims, AReaderNamedLikeAnothersPartialFileNeverTakesItsPlace) {
  // Reader "A" fails half-way and keeps what arrived in A.partial; the reader
  // whose serial number is "A.partial" must not write there (nor the other
  // way round): whichever claims the name second is refused.
  std::string data_a;
  for (int line = 0; line < 8; ++line) data_a += "AAAAAAAAAAAAAAAA\r\n";
  const std::string data_b = "BBBBBBBBBBBBBBBB\r\n";
  WriteFile(Path("a.txt"), data_a);
  WriteFile(Path("b.txt"), data_b);
  std::vector<std::string> ports =
      // Pieces that go on past the host's first read: some arrive before the hang-up.
      StartSims(1, {"--serial", "A", "--vanish-in-upload", "--memory-data", Path("a.txt"),
                    "--upload-chunk", "16", "--upload-gap", "700"});
  ports.push_back(StartSims(1, {"--serial", "A.partial", "--memory-data", Path("b.txt")}).front());
  EXPECT_NE(Ctl(OnPorts(ports, {"upload", "--output-pattern", Path("{serial}")}), false), kOk);
  EXPECT_NE(out_.find("\tfailed\tanother reader of this run writes " + Path("A.partial") +
                      "; nothing written"),
            std::string::npos)
      << out_;
  // What is in A.partial is one reader's data, whole: A's half (A claimed
  // first) or all of the other's.
  const std::string kept = ReadFile(Path("A.partial"));
  EXPECT_TRUE((!kept.empty() && data_a.starts_with(kept)) || kept == data_b) << kept;
  EXPECT_FALSE(fs::exists(Path("A")));
}

TEST_F(K470ctlWithSims, AReadersTextsNeverBreakTheLinesApart) {
  // A serial number with a TAB, an LF and an escape sequence that sets the
  // window title: each reader still gets one line of four fields.
  const std::string odd = "K\tA\nB\x1b]0;owned\x07";
  auto ports = StartSims(1, {"--serial", odd, "--wrong-model"});
  ports.push_back(StartSims(1, {"--serial", odd, "--device-type", "K470 - K471 x\ty\nz"}).front());
  EXPECT_EQ(Ctl(OnPorts(ports, {"info"}), false), kReaderError) << err_;
  std::istringstream lines(out_);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    if (line.starts_with("summary: ")) continue;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
    EXPECT_NE(line.find("\tK\\x09A\\x0aB\\x1b]0;owned\\x07\t"), std::string::npos) << line;
  }
  EXPECT_EQ(count, 3) << out_;
  EXPECT_NE(out_.find("\tok\tK470 - K471 x\\x09y\\x0az, "), std::string::npos) << out_;
  EXPECT_EQ(out_.find_first_of("\x1b\x07"), std::string::npos) << out_;
}

TEST_F(K470ctlWithSims, ApplyDownloadsOnlyWhereTheSettingsDifferAndTheSecondRunChangesNothing) {
  WriteFile(Path("reference.K470"), Image(7, false));  // the pair in the file does not count
  WriteFile(Path("img.K470-1"), Image(7, true));
  WriteFile(Path("img.K470-2"), Image(3, true));
  const auto ports = StartSims(2, {"--image", Path("img.K470")});

  EXPECT_EQ(Ctl(OnPorts(ports, {"apply", "--check", Path("reference.K470")}), false),
            5 /* differs */);
  EXPECT_EQ(ReadFile(Path("img.K470-2")), Image(3, true)) << "--check changes nothing";

  for (const bool first : {true, false}) {
    SCOPED_TRACE(first ? "first run" : "second run");
    ASSERT_EQ(Ctl(OnPorts(ports, {"--json", "apply", Path("reference.K470")}), false), kOk) << err_;
    std::map<std::string, nlohmann::json> by_port;
    for (const auto& line : JsonLines()) by_port[line.value("port", "summary")] = line;
    ASSERT_EQ(by_port.size(), 3u) << out_;
    EXPECT_EQ(by_port[ports[0]]["changed"], false) << out_;
    EXPECT_EQ(by_port[ports[1]]["changed"], first) << out_;
    EXPECT_EQ(by_port[ports[1]]["result"], first ? "changed" : "unchanged") << out_;
    if (first) {
      // Named as diff names them; the checksum pair is no setting of its own.
      const auto& settings = by_port[ports[1]]["settings"];
      EXPECT_FALSE(settings.empty()) << out_;
      EXPECT_NE(std::find(settings.begin(), settings.end(), "system.volume"), settings.end());
      EXPECT_EQ(std::find(settings.begin(), settings.end(), "unedited_bytes.638"), settings.end());
    }
    EXPECT_EQ(ReadFile(Path("img.K470-2")), Image(7, true));
  }
  // The reader that matched was only read, never written.
  EXPECT_EQ(SimsLog(1).find("k470sim: 1 download committed"), std::string::npos);
}

TEST_F(K470ctlWithSims, AllWorksOnEveryReaderFoundOnUsb) {
  const auto ports = StartSims(3, {});
  // Three readers on USB as sysfs shows them; their nodes lead to the sims.
  for (int k = 0; k < 3; ++k) {
    UsbReader("ttyACM" + std::to_string(k), k);
    fs::create_symlink(ports[static_cast<std::size_t>(k)],
                       dir_ / "dev" / ("ttyACM" + std::to_string(k)));
  }
  ASSERT_EQ(Ctl(UsbRoots({"--all", "info"}), false), kOk) << err_;
  for (const char* seen : {"ttyACM0\tK471-000123\tok\t", "ttyACM1\tK471-000124\tok\t",
                           "ttyACM2\tK471-000125\tok\t", "summary: 3 readers, 3 ok\n"}) {
    EXPECT_NE(out_.find(seen), std::string::npos) << seen << "\n" << out_;
  }
}

}  // namespace
}  // namespace k470::e2e
