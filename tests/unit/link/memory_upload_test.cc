#include "link/memory_upload.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;
using Script = std::vector<std::pair<int, std::string>>;  // ms after the command, bytes

class StringSink : public ByteSink {
 public:
  bool Append(std::span<const std::uint8_t> b) override {
    data.append(b.begin(), b.end());
    return true;
  }
  bool Finish(bool) override { return ++finishes > 0; }
  std::string data;
  int finishes = 0;
};

class UploadTest : public ::testing::Test {
 protected:
  UploadResult Run(const Script& script) {
    port_.responder = [script](ScriptedPort& p, const std::string&) {
      for (const auto& [ms, bytes] : script) p.Deliver(bytes, Millis(ms));
    };
    port_.writes.clear();
    port_.Open("/dev/ttyACM0", {});
    sink_.data.clear();
    sink_.finishes = 0;
    const UploadResult r = UploadMemorizedData(port_, clock_, sink_, progress_);
    EXPECT_EQ(port_.written(), std::vector<std::string>{"#@SYS_MEMUP\r"});
    EXPECT_EQ(sink_.finishes, 1);
    EXPECT_FALSE(port_.IsOpen());
    return r;
  }
  // Pieces 100 ms apart, from the end of the 2000 ms wait on.
  UploadResult Run(const std::vector<std::string>& pieces) {
    Script script;
    for (int i = 0; const auto& piece : pieces) script.emplace_back(2000 + 100 * i++, piece);
    return Run(script);
  }

  VirtualClock clock_;
  ScriptedPort port_{clock_};
  StringSink sink_;
  NullProgress progress_;
};

TEST_F(UploadTest, SlowPiecesArriveWholeUntil2000msOfSilence) {
  const UploadResult r = Run(
      Script{{2100, "T1\r\n"}, {2600, "T2\r\n"}, {4500, "T3\r\n"}, {6499, "T4\r\n"}, {8500, "x"}});
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(sink_.data, "T1\r\nT2\r\nT3\r\nT4\r\n");
  EXPECT_EQ(r.bytes_written, 16u);
  EXPECT_EQ(clock_.Now(), Millis(8499));
  EXPECT_LE(port_.reads, 6);  // waits inside Read instead of spinning

  EXPECT_TRUE(Run(Script{}).ok);  // a reader with nothing memorized
  EXPECT_EQ(sink_.data, "");
}

TEST_F(UploadTest, OkThatEndsAPieceIsNotData) {
  // Only "OK" or "ok" with its CR acknowledges; tag lines that end in "ok"
  // and mixed case are data.
  EXPECT_TRUE(
      Run({"A1OK\r", "B2ok\r", "C3oK\r", "line ok\n", "OK then\r", "ok", std::string(400, 'x')})
          .ok);
  EXPECT_EQ(sink_.data, "A1B2C3oK\rline ok\nOK then\rok" + std::string(400, 'x'));

  // A bare acknowledgement is no data and does not extend the idle time.
  EXPECT_TRUE(Run(Script{{2000, "A"}, {3500, "OK\r"}, {4100, "B"}}).ok);
  EXPECT_EQ(sink_.data, "A");
}

TEST_F(UploadTest, AcknowledgementSplitAcrossReadsIsNotData) {
  const UploadResult r = Run({"T1\r\nO", "K\r", "T2\r\nOk", "\r", "T3 o", "ne\r\nlast o"});
  EXPECT_TRUE(r.ok);
  // An O that did not begin the acknowledgement is data, even the very last.
  EXPECT_EQ(sink_.data, "T1\r\nT2\r\nOk\rT3 one\r\nlast o");
  EXPECT_EQ(r.bytes_written, sink_.data.size());
}

TEST_F(UploadTest, VanishedReaderFails) {
  port_.vanish_at = clock_.Now() + Millis(3000);
  const UploadResult r = Run(Script{{2100, "T1"}, {2900, "T2"}, {3500, "T3"}});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure, "the reader was disconnected");
  EXPECT_EQ(sink_.data, "T1T2");
}

// Takes `room` bytes, then refuses the rest.
class FullSink : public ByteSink {
 public:
  explicit FullSink(std::size_t room) : room_(room) {}
  bool Append(std::span<const std::uint8_t> b) override {
    if (b.size() > room_) return false;
    room_ -= b.size();
    return true;
  }
  std::size_t room_;
};

TEST_F(UploadTest, AFailureSaysWhy) {
  // A sink that refuses the data: its own error tells more.
  port_.responder = [](ScriptedPort& p, const std::string&) {
    p.Deliver("T1\r\nT2", Millis(2100));
  };
  port_.Open("/dev/ttyACM0", {});
  FullSink full(0);
  UploadResult r = UploadMemorizedData(port_, clock_, full, progress_);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure, "the data could not be stored");

  // A reader that never took the command.
  port_.Close();
  r = UploadMemorizedData(port_, clock_, sink_, progress_);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure, "the reader took no upload command");

  // Success says nothing.
  EXPECT_EQ(Run(Script{{2100, "T1"}}).failure, "");
}

// The upload's file: replaced only by a complete upload; after a failure the
// old file stays and what arrived is kept beside it.
TEST(FileByteSinkTest, OnlyACompleteUploadReplacesTheFileAndPartialDataIsKept) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("k470_sink_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string target = (dir / "tags.txt").string();
  const auto read = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const auto bytes = [](const char* text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
  };
  std::ofstream(target) << "old tags";

  FileByteSink sink;
  ASSERT_TRUE(sink.Create(target));
  ASSERT_TRUE(sink.Append(bytes("half of the ")));
  EXPECT_FALSE(sink.Finish(false));
  EXPECT_EQ(read(target), "old tags");
  EXPECT_EQ(sink.partial_path(), target + ".partial");
  EXPECT_EQ(read(target + ".partial"), "half of the ");

  // Nothing arrived: nothing is kept, not even an empty .partial.
  fs::remove(target + ".partial");
  ASSERT_TRUE(sink.Create(target));
  EXPECT_FALSE(sink.Finish(false));
  EXPECT_EQ(sink.partial_path(), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no temporary file is left";

  // A complete upload replaces the file (through a symbolic link, its
  // target: memory_upload_posix_test.cc).
  ASSERT_TRUE(sink.Create(target));
  ASSERT_TRUE(sink.Append(bytes("new tags")));
  EXPECT_TRUE(sink.Finish(true));
  EXPECT_EQ(read(target), "new tags");

  // A folder that cannot take the file fails before anything else happens,
  // and says why.
  errno = 0;
  EXPECT_FALSE(sink.Create((dir / "no/such/folder/tags.txt").string()));
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_FALSE(sink.Create(dir.string()));
  EXPECT_EQ(errno, EISDIR);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace k470
