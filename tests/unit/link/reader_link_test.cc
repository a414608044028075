// The transport, the command protocol and the block transfer, in virtual time.
#include "link/reader_link.h"

#include <gtest/gtest.h>

#include <functional>

#include <algorithm>
#include <cctype>

#include "link/reader_protocol.h"
#include "link/settings_transfer.h"
#include "tests/support/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;
using Lines = std::vector<std::string>;

class ReaderLinkTest : public ::testing::Test {
 protected:
  ReaderLinkTest() { EXPECT_TRUE(link_.OpenReaderPort("/dev/ttyACM0", LineSettings{})); }
  // Answers the n-th write with replies[n] from 5 ms on, one piece per '|'; then silence.
  void AnswerWith(std::vector<std::string> replies) {
    port_.responder = [replies, n = std::size_t{0}](ScriptedPort& p, const std::string&) mutable {
      if (n >= replies.size()) return;
      std::string_view rest = replies[n++];
      for (Millis at{5};; ++at) {
        p.Deliver(std::string(rest.substr(0, rest.find('|'))), at);
        if (rest.find('|') == rest.npos) break;
        rest.remove_prefix(rest.find('|') + 1);
      }
    };
  }
  long Sends(const std::string& line) const { return std::ranges::count(port_.written(), line); }

  VirtualClock clock_;
  ScriptedPort port_{clock_};
  ReaderLink link_{port_, clock_};
};

const std::string kBlock = std::string(32, 'A') + "\r";

TEST_F(ReaderLinkTest, BlockReadsAndConfirmedLinesAreRepeatedAtMostFourTimes) {
  AnswerWith({"NAK\r", "NAK\r", "NAK\r", "NAK\r", kBlock});
  EXPECT_FALSE(link_.ReadBlock("R000010\r", 0));
  EXPECT_EQ(Sends("R000010\r"), 4);

  AnswerWith({"NAK\r", "NAK\r", "NAK\r", kBlock});
  EXPECT_TRUE(link_.ReadBlock("R000020\r", 64));
  EXPECT_EQ(Sends("R000020\r"), 4);
  EXPECT_EQ(link_.reply_buffer()[64], 'A');
  EXPECT_EQ(link_.reply_buffer()[96], '\r');

  // A confirmed line takes ACK or DONE, repeats on anything else and fails at once on silence.
  AnswerWith({"DONE\r", "ACK\r"});
  EXPECT_TRUE(link_.SendLineConfirmed("UPDATE\r"));
  EXPECT_TRUE(link_.SendLineConfirmed("UPDATE\r"));

  AnswerWith({"ack\r", "ACK \r", "NAK\r", "ACKS\r", "ACK\r"});
  EXPECT_FALSE(link_.SendLineConfirmed("0000\r"));
  EXPECT_EQ(Sends("0000\r"), 4);

  AnswerWith({});
  EXPECT_FALSE(link_.SendLineConfirmed("EXIT\r"));
  EXPECT_EQ(Sends("EXIT\r"), 1);
}

TEST_F(ReaderLinkTest, ReplyEndsAtItsCrAtSilenceAtTheBufferEndOrAtTheTimeLimit) {
  const struct {
    const char* name;
    std::function<void()> script;
    bool ok;
    Millis took;
    std::string failure;
  } cases[] = {
      {"slow pieces and CR",
       [&] {
         port_.Deliver("0123456789", Millis(1900));
         port_.Deliver("0123456789\r", Millis(3800));
       },
       true, Millis(3800), ""},
      {"silence after a piece", [&] { port_.Deliver("01234", Millis(500)); }, false, Millis(2501),
       "no reply within 2000 ms"},
      // A device that keeps talking without ever ending its line.
      {"lines without CR",
       [&] {
         for (int i = 0; i < 100; ++i) port_.Deliver("tick\n", Millis(100 * i));
       },
       false, Millis(5001), "no complete reply within 5000 ms"},
      {"a flood", [&] { port_.Deliver(std::string(3000, 'z')); }, false, Millis(0),
       "a reply longer than 2048 bytes without CR"},
      {"unplugged", [&] { port_.vanish_at = clock_.Now() + Millis(300); }, false, Millis(300),
       "the reader was disconnected"},
  };
  for (const auto& c : cases) {
    link_.OpenReaderPort("/dev/ttyUSB0", LineSettings{});
    port_.vanish_at = Millis::max();
    c.script();
    const Millis start = clock_.Now();
    EXPECT_EQ(link_.ReadReply(0), c.ok) << c.name;
    EXPECT_EQ(clock_.Now() - start, c.took) << c.name;
    EXPECT_EQ(c.ok ? "" : link_.failure(), c.failure) << c.name;
    link_.CloseReaderPort();
  }
}

TEST_F(ReaderLinkTest, SixHundredBaudPausesAndPartialWritesAreCompleted) {
  const std::string line = "0000100A0206040AC500016F00000000000000\r";
  port_.responder = [](ScriptedPort& p, const std::string& w) {
    if (w.ends_with('\r')) p.Deliver("ACK\r");
  };
  port_.write_limit = 10;  // a full output queue: the rest follows 30 ms later
  for (const int baud_index : {0, 8}) {
    link_.OpenReaderPort("/dev/ttyUSB0", LineSettings{.baud_index = baud_index});
    port_.writes.clear();
    const Millis start = clock_.Now();
    EXPECT_TRUE(link_.SendLineConfirmed(line));
    EXPECT_EQ(port_.written(), (Lines{line.substr(0, 10), line.substr(10, 10), line.substr(20, 10),
                                      line.substr(30)}));
    EXPECT_EQ(port_.writes.at(0).at - start, Millis(baud_index == 8 ? 30 : 0));
    EXPECT_EQ(port_.writes.at(1).at - port_.writes[0].at, Millis(30));
  }
}

TEST_F(ReaderLinkTest, OverlongRepliesStayInsideTheBuffers) {  // ASan watches the writes
  port_.responder = [](ScriptedPort& p, const std::string&) { p.Deliver(std::string(5000, 'F')); };
  EXPECT_FALSE(link_.ReadBlock("R000010\r", 2000));
  port_.Deliver(std::string(5000, 'F') + "\r");
  EXPECT_FALSE(link_.ReadReply(2040));
}

Lines Texts(const DeviceInfo& i) {
  return {i.device_type, i.serial_number, i.kernel_version, i.user_version, i.bt_mac_id};
}

TEST_F(ReaderLinkTest, IdentityTakesSixLinesHoweverSplitAndChecksTheModel) {
  const std::string long_type = "1234567K473" + std::string(100, 'x');
  AnswerWith({"#@SYS_INFO\rUHF RDRK472 Handheld\rSN0001\rKernel 1.2\rUser 3.4\r00:11:22\r",
              "#@SYS_INFO\r|XXXXXXXK471\rs|\rk\r|u\r|mac\r|trailing",
              std::string(300, 'f') + "\r" + long_type + "\r" + std::string(70, '\0') + "\rk\ru\r",
              "x\rUHF RDRK470 Handheld\rs\rk\ru\rm\r", "x\rUHF RDRK47\rs\rk\ru\rm\r",
              "a\rXXXXXXXK471\r"});
  DeviceInfo info;
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(port_.writes.at(0).at, Millis(100));
  EXPECT_EQ(port_.writes[0].bytes, "#@SYS_INFO?\r");
  EXPECT_EQ(Texts(info),
            (Lines{"UHF RDRK472 Handheld", "SN0001", "Kernel 1.2", "User 3.4", "00:11:22"}));
  // Pieces that end on a CR after the first line do not end the answer.
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(Texts(info), (Lines{"XXXXXXXK471", "s", "k", "u", "mac"}));
  // Texts keep 63 characters, 0 bytes become blanks; five lines and silence will do.
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(Texts(info), (Lines{long_type.substr(0, 63), std::string(63, ' '), "k", "u", ""}));
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityOtherModel);
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityOtherModel);  // too short for a model code
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityNoAnswer);    // two lines, then silence
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityNoAnswer);    // silence
  EXPECT_EQ(info.device_type, "");
}

TEST_F(ReaderLinkTest, ServiceQueriesAndReadUserCheckTheirReplies) {
  AnswerWith({"OK 3.95V\r", "OK:2048\r", "OK\r", "OK 3.95V\rX\r", "ER 3.95V\r", "OK 3.95V", "OK\r",
              "ok\r", "OK\r\n", "OK \r"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), "The Battery Voltage is: 3.95V\r");
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kMemorySize), "The Free Memory Size is: 2048 KB");
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kClearMemory), "");
  EXPECT_EQ(port_.written(), (Lines{"#@SYS_BATTERY?\r", "#@SYS_MEMSIZE?\r", "#@SYS_MEMCLR\r"}));
  // A further line that comes in the same 4-byte read belongs to the reply.
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), "The Battery Voltage is: 3.95V\rX\r");
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), std::nullopt);
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), std::nullopt);
  EXPECT_EQ(ServiceResultText(ServiceQuery::kBattery, "OK " + std::string(3000, '9')).size(),
            1023u);
  // READ_U wants exactly "OK\r".
  EXPECT_TRUE(SendExpectingOk(link_, command::kReadUser));
  for (int bad = 0; bad < 3; ++bad) EXPECT_FALSE(SendExpectingOk(link_, command::kReadUser)) << bad;
}

// Both transfers leave the caller's image alone on a failure, end it with
// EXIT and give the port back.
TEST_F(ReaderLinkTest, ReadBackReplacesTheImageOnlyAfterUpdateAFailedDownloadKeepsIt) {
  SettingsImage source, image;
  for (std::size_t i = 0; i < kImageSize; ++i) source.SetByte(i, static_cast<std::uint8_t>(i * 13));
  Lines replies;
  for (int k = 0; k < kBlockCount; ++k)
    replies.push_back(BlockLine(source, k).substr(6, 32) + "\r");
  std::ranges::transform(replies[3], replies[3].begin(), ::tolower);  // either case is hex
  Lines bad_hex(replies.begin(), replies.begin() + 8);
  bad_hex[7][5] = 'G';
  replies.insert(replies.end(), 4, "NAK\r");
  NullProgress progress;
  const auto read_back = [&](const Lines& answers, std::size_t writes) {
    AnswerWith(answers);
    port_.writes.clear();
    link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
    const bool ok = ReadBackImage(link_, image, progress);
    EXPECT_EQ(port_.writes.size(), writes);
    EXPECT_FALSE(port_.IsOpen());
    return ok;
  };
  EXPECT_FALSE(read_back(bad_hex, 9));   // 8 requests, EXIT
  EXPECT_FALSE(read_back(replies, 45));  // 40 requests, UPDATE 4 times, EXIT
  EXPECT_EQ(port_.writes.back().bytes, "EXIT\r");
  EXPECT_EQ(image, SettingsImage{});
  replies[40] = "DONE\r";
  EXPECT_TRUE(read_back(replies, 41));
  EXPECT_EQ(image, source);

  // A reader that refuses the block lines: the first goes four times, then EXIT.
  AnswerWith({"NAK\r", "NAK\r", "NAK\r", "NAK\r"});
  port_.writes.clear();
  link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
  EXPECT_FALSE(DownloadImage(link_, image, progress));
  EXPECT_EQ(image, source) << "not even the checksum pair";
  Lines sent(4, BlockLine(source, 0));
  sent.push_back("EXIT\r");
  EXPECT_EQ(port_.written(), sent);
  EXPECT_FALSE(port_.IsOpen());
}

}  // namespace
}  // namespace k470
