#include "link/reader_link.h"

#include <gtest/gtest.h>

#include "tests/unit/link/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;

class ReaderLinkTest : public ::testing::Test {
 protected:
  ReaderLinkTest() : port_(clock_), link_(port_, clock_) {
    EXPECT_TRUE(link_.OpenReaderPort("/dev/ttyACM0", LineSettings{}));
  }
  // Answers every write with the next reply of the list, then stays silent.
  void AnswerWith(std::vector<std::string> replies) {
    port_.SetResponder([replies, i = std::size_t{0}](ScriptedPort& p, const std::string&) mutable {
      if (i < replies.size()) p.Deliver(replies[i++], Millis(5));
    });
  }
  int Sends(const std::string& line) const {
    int n = 0;
    for (const auto& w : port_.written()) n += (w == line);
    return n;
  }

  VirtualClock clock_;
  ScriptedPort port_;
  ReaderLink link_;
};

const std::string kBlock = std::string(32, 'A') + "\r";
const std::string kRequest = "R000010\r";

TEST_F(ReaderLinkTest, BlockReadGivesUpAfterFourNaks) {
  AnswerWith({"NAK\r", "NAK\r", "NAK\r", "NAK\r", kBlock});
  EXPECT_FALSE(link_.ReadBlock(kRequest, 0));
  EXPECT_EQ(Sends(kRequest), 4);
}

TEST_F(ReaderLinkTest, BlockReadSucceedsAfterThreeNaks) {
  AnswerWith({"NAK\r", "NAK\r", "NAK\r", kBlock});
  EXPECT_TRUE(link_.ReadBlock(kRequest, 64));
  EXPECT_EQ(Sends(kRequest), 4);
  EXPECT_EQ(link_.reply_buffer()[64], 'A');
  EXPECT_EQ(link_.reply_buffer()[96], '\r');
}

TEST_F(ReaderLinkTest, BlockReplyInPiecesAndWrongLengths) {
  // The reply arriving in odd pieces still completes.
  port_.SetResponder([](ScriptedPort& p, const std::string&) {
    p.Deliver(std::string(7, '0'), Millis(1));
    p.Deliver(std::string(25, '1'), Millis(1500));
    p.Deliver("\r", Millis(3000));
  });
  EXPECT_TRUE(link_.ReadBlock(kRequest, 0));

  // A CR after 32 bytes is not a block reply: the wait ends only on silence,
  // and silence fails without another request.
  AnswerWith({std::string(31, '0') + "\r"});
  const Millis start = clock_.Now();
  EXPECT_FALSE(link_.ReadBlock(kRequest, 0));
  EXPECT_GE(clock_.Now() - start, kIdleTimeout);
  EXPECT_EQ(Sends(kRequest), 2);
}

TEST_F(ReaderLinkTest, OverlongBlockRepliesStayInsideTheBuffers) {
  port_.SetResponder(
      [](ScriptedPort& p, const std::string&) { p.Deliver(std::string(5000, 'F')); });
  EXPECT_FALSE(link_.ReadBlock(kRequest, 2000));  // ASan watches the writes
}

TEST_F(ReaderLinkTest, ConfirmedLineAcceptsAckAndDoneOnly) {
  AnswerWith({"DONE\r"});
  EXPECT_TRUE(link_.SendLineConfirmed("UPDATE\r"));

  AnswerWith({"ACK\r"});
  EXPECT_TRUE(link_.SendLineConfirmed("UPDATE\r"));

  AnswerWith({"ack\r", "ACK \r", "NAK\r", "ACKS\r", "ACK\r"});
  EXPECT_FALSE(link_.SendLineConfirmed("0000\r"));
  EXPECT_EQ(Sends("0000\r"), 4);
}

TEST_F(ReaderLinkTest, ConfirmedLineFailsAtOnceOnSilence) {
  AnswerWith({});
  EXPECT_FALSE(link_.SendLineConfirmed("UPDATE\r"));
  EXPECT_EQ(Sends("UPDATE\r"), 1);
}

TEST_F(ReaderLinkTest, PartialWritesAreCompletedWithPauses) {
  port_.LimitWrites(10);
  AnswerWith({"", "", "", "ACK\r"});
  const std::string line = "0000100A0206040AC500016F00000000000000\r";
  EXPECT_TRUE(link_.SendLineConfirmed(line));
  std::string sent;
  for (const auto& w : port_.written()) sent += w;
  EXPECT_EQ(sent, line);
  ASSERT_EQ(port_.writes().size(), 4u);
  EXPECT_EQ(port_.writes()[1].at - port_.writes()[0].at, Millis(30));
}

TEST(ReaderLinkBaudTest, SixHundredBaudPausesBeforeEveryConfirmedLine) {
  for (int baud_index : {0, 8}) {
    VirtualClock clock;
    ScriptedPort port(clock);
    ReaderLink link(port, clock);
    LineSettings slow;
    slow.baud_index = baud_index;
    ASSERT_TRUE(link.OpenReaderPort("/dev/ttyUSB0", slow));
    port.SetResponder([](ScriptedPort& p, const std::string&) { p.Deliver("ACK\r"); });
    link.SendLineConfirmed("UPDATE\r");
    link.SendLineConfirmed("UPDATE\r");
    ASSERT_EQ(port.writes().size(), 2u);
    const Millis pause = baud_index == 8 ? Millis(30) : Millis(0);
    EXPECT_EQ(port.writes()[0].at, pause);
    EXPECT_EQ(port.writes()[1].at - port.writes()[0].at, pause);
  }
}

TEST_F(ReaderLinkTest, ReplyWithoutCrFailsAfterTwoSecondsOfSilenceHoweverLong) {
  for (int i = 0; i < 100; ++i) port_.Deliver("0123456789", Millis(1900 * i));
  const Millis start = clock_.Now();
  EXPECT_FALSE(link_.ReadReply(0));
  // 99 gaps of 1900 ms never time out; the silence after the last piece does.
  EXPECT_GT(clock_.Now() - start, Millis(1900 * 99) + kIdleTimeout);
  EXPECT_LE(clock_.Now() - start, Millis(1900 * 99) + kIdleTimeout + Millis(1));
}

TEST_F(ReaderLinkTest, ReplyEndsOnlyWhenAReadEndsWithCr) {
  port_.Deliver("OK\rX");  // a CR followed by more in the same read does not end it
  port_.Deliver("YZ\r", Millis(10));
  ASSERT_TRUE(link_.ReadReply(0));
  EXPECT_EQ(link_.ReplyText(), "OK\rXYZ\r");
}

TEST_F(ReaderLinkTest, AVanishedDeviceIsSilenceUntilTheDeadline) {
  port_.Vanish();
  const Millis start = clock_.Now();
  EXPECT_FALSE(link_.ReadReply(0));
  EXPECT_GT(clock_.Now() - start, kIdleTimeout);
  EXPECT_LT(port_.reads(), 5);  // waited, did not spin
}

}  // namespace
}  // namespace k470
