#include "link/settings_transfer.h"

#include <gtest/gtest.h>

#include "core/defaults.h"
#include "tests/unit/link/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;

class RecordingProgress : public ProgressSink {
 public:
  void Begin(const std::string& text, const std::string& bar, int maximum) override {
    this->text = text;
    this->bar = bar;
    this->maximum = maximum;
    positions.clear();
  }
  void SetPosition(int p) override { positions.push_back(p); }
  void End() override { ended = true; }
  std::string text, bar;
  int maximum = 0;
  std::vector<int> positions;
  bool ended = false;
};

TEST(BlockFormatTest, LinesAndRequests) {
  AppState s;
  New(s);
  EXPECT_EQ(BlockLine(s.image, 0), "0000100A0206040AC500016F00000000000000\r");
  EXPECT_EQ(BlockLine(s.image, 39).substr(0, 6), "027010");
  EXPECT_EQ(BlockLine(s.image, 39).size(), 39u);
  EXPECT_EQ(BlockRequest(0), "R000010\r");
  EXPECT_EQ(BlockRequest(39), "R027010\r");
}

// A reader in a script: serves block requests from `source`, acknowledges lines.
class TransferTest : public ::testing::Test {
 protected:
  TransferTest() : port_(clock_), link_(port_, clock_) {
    for (std::size_t i = 0; i < kImageSize; ++i)
      source_.SetByte(i, static_cast<std::uint8_t>(i * 13));
    port_.SetResponder([this](ScriptedPort& p, const std::string& w) {
      if (w[0] == 'R' && w.size() == 8) {
        const int k = std::stoi(w.substr(1, 4), nullptr, 16) / 16;
        if (k == silent_from_block_) return;
        std::string reply = BlockLine(source_, k).substr(6, 32) + "\r";
        if (k == bad_hex_block_) reply[5] = 'G';
        p.Deliver(reply, Millis(2));
      } else if (w == "UPDATE\r") {
        p.Deliver(ack_update_ ? "ACK\r" : "NAK\r", Millis(2));
      } else {
        p.Deliver("ACK\r", Millis(2));
      }
    });
    link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
  }
  std::vector<std::string> Written() const { return port_.written(); }

  VirtualClock clock_;
  ScriptedPort port_;
  ReaderLink link_;
  SettingsImage source_;
  RecordingProgress progress_;
  int silent_from_block_ = -1;
  int bad_hex_block_ = -1;
  bool ack_update_ = true;
};

TEST_F(TransferTest, DownloadSendsFortyLinesThenUpdateWithTheChecksumPair) {
  SettingsImage image = source_;
  ASSERT_TRUE(DownloadImage(link_, image, progress_));
  const auto w = Written();
  ASSERT_EQ(w.size(), 41u);
  EXPECT_EQ(w[0], BlockLine(image, 0));
  EXPECT_EQ(w[39].substr(0, 4), "0270");
  EXPECT_EQ(w[40], "UPDATE\r");
  EXPECT_EQ(image.Byte(639), static_cast<std::uint8_t>(~image.Byte(638)));
  EXPECT_EQ(w[39].substr(6 + 28, 4), BlockLine(image, 39).substr(34, 4));
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(progress_.text, "Downloading...");
  EXPECT_EQ(progress_.maximum, 641);
  EXPECT_EQ(progress_.positions.front(), 0);
  EXPECT_EQ(progress_.positions[40], 624);
  EXPECT_EQ(progress_.positions.back(), 641);
  EXPECT_TRUE(progress_.ended);

  // The same image twice gives the same bytes: the old pair does not count.
  SettingsImage again = image;
  link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
  ASSERT_TRUE(DownloadImage(link_, again, progress_));
  EXPECT_EQ(again, image);
}

TEST_F(TransferTest, ReadBackReplacesTheImageOnlyAfterUpdate) {
  SettingsImage image;
  ASSERT_TRUE(ReadBackImage(link_, image, progress_));
  EXPECT_EQ(image, source_);
  const auto w = Written();
  EXPECT_EQ(w.front(), "R000010\r");
  EXPECT_EQ(w[39], "R027010\r");
  EXPECT_EQ(w.back(), "UPDATE\r");
  EXPECT_EQ(progress_.text, "Uploading...");
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(TransferTest, FailedReadBacksLeaveTheImageAndSayExit) {
  SettingsImage image;
  image.SetByte(3, 99);
  const SettingsImage before = image;

  silent_from_block_ = 20;
  EXPECT_FALSE(ReadBackImage(link_, image, progress_));
  EXPECT_EQ(image, before);
  EXPECT_EQ(Written().back(), "EXIT\r");
  EXPECT_EQ(Written()[20], "R014010\r");
  EXPECT_FALSE(port_.IsOpen());

  silent_from_block_ = -1;
  ack_update_ = false;
  link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
  EXPECT_FALSE(ReadBackImage(link_, image, progress_));
  EXPECT_EQ(image, before);
  EXPECT_EQ(Written().back(), "EXIT\r");

  ack_update_ = true;
  bad_hex_block_ = 7;
  link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
  const std::size_t before_writes = Written().size();
  EXPECT_FALSE(ReadBackImage(link_, image, progress_));
  EXPECT_EQ(image, before);
  EXPECT_EQ(Written().size() - before_writes, 9u);  // blocks 0-7, then EXIT
  EXPECT_EQ(Written().back(), "EXIT\r");
}

TEST_F(TransferTest, LowerCaseHexIsAccepted) {
  port_.SetResponder([](ScriptedPort& p, const std::string& w) {
    p.Deliver(w[0] == 'R' ? std::string(32, 'a') + "\r" : "DONE\r", Millis(1));
  });
  SettingsImage image;
  ASSERT_TRUE(ReadBackImage(link_, image, progress_));
  EXPECT_EQ(image.Byte(0), 0xAA);
  EXPECT_EQ(image.Byte(639), 0xAA);
}

}  // namespace
}  // namespace k470
