#include "link/memory_upload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/pin_code.h"
#include "link/shell_port.h"
#include "tests/unit/link/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;
using Script = std::vector<std::pair<int, std::string>>;  // ms after the command, bytes

class MemorySink : public ByteSink {
 public:
  bool Append(std::span<const std::uint8_t> b) override {
    if (appends_left-- == 0) return false;
    data.append(b.begin(), b.end());
    return true;
  }
  bool Finish() override { return ++finishes > 0; }
  std::string data;
  int finishes = 0, appends_left = -1;
};

// Logs "[text|bar|max" then each position, then "]".
class ProgressLog : public ProgressSink {
 public:
  void Begin(const std::string& text, const std::string& bar, int max) override {
    log += "[" + text + "|" + bar + "|" + std::to_string(max);
  }
  void SetPosition(int p) override { log += " " + std::to_string(p); }
  void End() override { log += "]"; }
  std::string log;
};

// An unplugged reader: every read from `at` on fails.
class VanishingPort : public ScriptedPort {
 public:
  VanishingPort(VirtualClock& clock, Millis at) : ScriptedPort(clock), clock_(clock), at_(at) {}
  long Read(std::span<std::uint8_t> buf, Millis wait) override {
    if (clock_.Now() >= at_) Vanish();
    return ScriptedPort::Read(buf, std::min(wait, std::max(at_ - clock_.Now(), Millis(0))));
  }

 private:
  VirtualClock& clock_;
  Millis at_;
};

class UploadTest : public ::testing::Test {
 protected:
  UploadResult Run(const Script& script, ScriptedPort* p = nullptr) {
    ScriptedPort& port = p ? *p : port_;
    port.SetResponder([script](ScriptedPort& self, const std::string&) {
      for (const auto& [ms, bytes] : script) self.Deliver(bytes, Millis(ms));
    });
    port.Open("/dev/ttyACM0", {});
    const UploadResult r = UploadMemorizedData(port, clock_, sink_, progress_);
    EXPECT_EQ(port.written(), std::vector<std::string>{"#@SYS_MEMUP\r"});
    EXPECT_EQ(sink_.finishes, 1);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(progress_.log.back(), ']');
    return r;
  }

  VirtualClock clock_;
  ScriptedPort port_{clock_};
  MemorySink sink_;
  ProgressLog progress_;
};

TEST_F(UploadTest, SlowReaderIsReadUntil2000msOfSilence) {
  const UploadResult r =
      Run({{2100, "T1\r\n"}, {2600, "T2\r\n"}, {4500, "T3\r\n"}, {6499, "T4\r\n"}, {8500, "x"}});
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(sink_.data, "T1\r\nT2\r\nT3\r\nT4\r\n");
  EXPECT_EQ(r.bytes_written, 16u);
  EXPECT_EQ(clock_.Now(), Millis(8499));
  EXPECT_LE(port_.reads(), 6);  // waits inside Read instead of spinning
  EXPECT_EQ(port_.purges(), 1);
}

TEST_F(UploadTest, TrailingOkOfAPieceIsNotData) {
  const UploadResult r = Run({{2000, "A1OK\r"},
                              {2100, "B2ok\r"},
                              {2200, "C3oK\n"},
                              {2300, "OK then\r"},
                              {2400, "ok"},
                              {2500, std::string(400, 'x')}});
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(sink_.data, "A1B2C3OK then\rok" + std::string(400, 'x'));
  // 400 bytes take seven reads of at most 63; the bar wraps after 9.
  EXPECT_EQ(progress_.log, "[Downloading...|Uploading|9 0 1 2 3 4 5 6 7 8 9 0 1]");
}

TEST_F(UploadTest, AcknowledgementSplitAcrossReadsIsNotData) {
  // A serial line hands the reader's last piece over in whatever bytes have
  // arrived: the "OK\r" may be cut after its O or its K.
  const UploadResult r = Run({{2000, "T1\r\nO"},
                              {2050, "K\r"},
                              {2100, "T2\r\nOk"},
                              {2150, "\r"},
                              {2200, "T3 o"},
                              {2250, "ne\r\nlast o"}});
  EXPECT_TRUE(r.ok);
  // An O that did not begin the acknowledgement is data, even the very last.
  EXPECT_EQ(sink_.data, "T1\r\nT2\r\nT3 one\r\nlast o");
  EXPECT_EQ(r.bytes_written, sink_.data.size());
}

TEST_F(UploadTest, BareOkDoesNotExtendTheIdleTime) {
  EXPECT_TRUE(Run({{2000, "A"}, {3500, "OK\r"}, {4100, "B"}}).ok);
  EXPECT_EQ(sink_.data, "A");
}

TEST_F(UploadTest, SilentReaderGivesEmptyUploadAndSuccess) {
  EXPECT_TRUE(Run({}).ok);
  EXPECT_EQ(sink_.data, "");
  EXPECT_EQ(progress_.log, "[Downloading...|Uploading|9]");
}

TEST_F(UploadTest, VanishedReaderOrFullDiskFails) {
  VanishingPort vanishing(clock_, Millis(3000));
  EXPECT_FALSE(Run({{2100, "T1"}, {2900, "T2"}, {3500, "T3"}}, &vanishing).ok);
  EXPECT_EQ(sink_.data, "T1T2");

  sink_ = MemorySink();
  sink_.appends_left = 1;
  const UploadResult r = Run({{2000, "T1\r\n"}, {2100, "lost"}, {2200, "more"}});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.bytes_written, 4u);
}

TEST(FileByteSinkTest, ReplacesTheFileAndReportsLostBytes) {
  const std::string path = ::testing::TempDir() + "k470_upload.txt";
  std::ofstream(path) << "older and longer contents";
  FileByteSink sink;
  ASSERT_TRUE(sink.Create(path));
  const std::uint8_t data[] = {'T', '1', '\r', '\n'};
  EXPECT_TRUE(sink.Append(data) && sink.Finish());
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "T1\r\n");
  std::filesystem::remove(path);

  EXPECT_FALSE(sink.Create(::testing::TempDir() + "no/such/folder/x.txt"));
  if (sink.Create("/dev/full")) {
    EXPECT_FALSE(sink.Append(data));
    EXPECT_FALSE(sink.Finish());
  }
}

TEST(PinCodeTest, SendsTextAndCrThenClosesAfter2000ms) {
  VirtualClock clock;
  ScriptedPort port(clock);
  EXPECT_FALSE(OpenShellPort(port, "-Select-"));
  EXPECT_EQ(port.opens(), 0);
  ASSERT_TRUE(OpenShellPort(port, "/dev/ttyACM1"));
  EXPECT_EQ(port.settings(), LineSettings{});
  EXPECT_FALSE(SendPinCode(port, clock, std::string(17, '1')));  // refused, not cut
  EXPECT_TRUE(port.written().empty());
  EXPECT_FALSE(SendPinCode(port, clock, "1234"));  // the closed port refuses the write

  ASSERT_TRUE(OpenShellPort(port, "/dev/ttyACM1"));
  const int purges = port.purges();
  port.LimitWrites(5);
  ASSERT_TRUE(SendPinCode(port, clock, "1234567890ABCDEF"));
  std::string sent;
  for (const auto& w : port.written()) sent += w;
  EXPECT_EQ(sent, "1234567890ABCDEF\r");
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.purges(), purges + 1);
  EXPECT_GE(clock.Now(), Millis(2000));
  EXPECT_LE(clock.Now(), Millis(2100));
}

}  // namespace
}  // namespace k470
