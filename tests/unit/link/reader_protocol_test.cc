#include "link/reader_protocol.h"

#include <gtest/gtest.h>

#include "link/clock_command.h"
#include "tests/unit/link/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;

class ProtocolTest : public ::testing::Test {
 protected:
  ProtocolTest() : port_(clock_), link_(port_, clock_) {
    link_.OpenReaderPort("/dev/ttyACM0", LineSettings{});
  }
  void ReplyOnce(std::vector<std::string> pieces) {
    port_.SetResponder([pieces](ScriptedPort& p, const std::string&) {
      Millis at{1};
      for (const auto& piece : pieces) p.Deliver(piece, at += Millis(1));
    });
  }

  VirtualClock clock_;
  ScriptedPort port_;
  ReaderLink link_;
};

TEST_F(ProtocolTest, IdentityFillsTheFiveTextsAndChecksTheModelCode) {
  ReplyOnce(
      {"#@SYS_INFO\rUHF RDRK472 Handheld\rSN0001\rKernel 1.2\rUser 3.4\r00:11:22:33:44:55\r"});
  DeviceInfo info;
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(port_.written(), std::vector<std::string>{"#@SYS_INFO?\r"});
  EXPECT_EQ(port_.writes()[0].at, Millis(100));
  EXPECT_EQ(info.device_type, "UHF RDRK472 Handheld");
  EXPECT_EQ(info.serial_number, "SN0001");
  EXPECT_EQ(info.kernel_version, "Kernel 1.2");
  EXPECT_EQ(info.user_version, "User 3.4");
  EXPECT_EQ(info.bt_mac_id, "00:11:22:33:44:55");
}

TEST_F(ProtocolTest, IdentityOfAnotherModelOrShortTypeIsRejected) {
  for (const std::string type : {"UHF RDRK470 Handheld", "K471", "UHF RDRK47"}) {
    ReplyOnce({"x\r" + type + "\rs\rk\ru\rm\r"});
    DeviceInfo info;
    EXPECT_EQ(QueryIdentity(link_, info), kIdentityOtherModel) << type;
  }
}

TEST_F(ProtocolTest, IdentityOfASilentReaderIsNoAnswer) {
  DeviceInfo info;
  info.device_type = "stale";
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityNoAnswer);
  EXPECT_EQ(info.device_type, "");  // cleared before the wait
}

TEST_F(ProtocolTest, IdentityTextsNeverSpillIntoTheNextOne) {
  const std::string long_type = "1234567K471" + std::string(100, 'x');
  ReplyOnce({std::string(300, 'f') + "\r", long_type + "\r", std::string(70, '\0') + "\r",
             "k\ru\rmac\r"});
  DeviceInfo info;
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(info.device_type, long_type.substr(0, 63));
  EXPECT_EQ(info.serial_number, std::string(63, ' '));  // 0 bytes become blanks
  EXPECT_EQ(info.kernel_version, "k");
}

TEST_F(ProtocolTest, IdentityWaitsForAllSixLinesHoweverTheyAreSplit) {
  // Pieces that end on a CR after the first line must not end the answer.
  ReplyOnce({"#@SYS_INFO\r", "XXXXXXXK471\rs", "\rk\r", "u\r", "mac\r", "trailing"});
  DeviceInfo info;
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(info.user_version, "u");
  EXPECT_EQ(info.bt_mac_id, "mac");

  // Five lines and then silence still identify the reader, without a MAC.
  ReplyOnce({"a\rXXXXXXXK473\rs\rk\ru\r"});
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityAccepted);
  EXPECT_EQ(info.bt_mac_id, "");

  // Two lines and silence are no complete answer.
  ReplyOnce({"a\rXXXXXXXK471\r"});
  EXPECT_EQ(QueryIdentity(link_, info), kIdentityNoAnswer);
}

TEST_F(ProtocolTest, ServiceQueriesBuildTheirResultTexts) {
  ReplyOnce({"OK 3.95V\r"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), "The Battery Voltage is: 3.95V\r");
  EXPECT_EQ(port_.written().back(), "#@SYS_BATTERY?\r");

  ReplyOnce({"OK:2048\r"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kMemorySize), "The Free Memory Size is: 2048 KB");

  ReplyOnce({"OK\r"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kClearMemory), "");
  EXPECT_EQ(port_.written().back(), "#@SYS_MEMCLR\r");

  // A further line that comes in the same 4-byte read belongs to the reply.
  ReplyOnce({"OK 3.95V\rX\r"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), "The Battery Voltage is: 3.95V\rX\r");

  ReplyOnce({"ER 3.95V\r"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), std::nullopt);
  ReplyOnce({"OK 3.95V"});
  EXPECT_EQ(RunServiceQuery(link_, ServiceQuery::kBattery), std::nullopt);

  EXPECT_EQ(ServiceResultText(ServiceQuery::kBattery, "OK " + std::string(3000, '9')).size(),
            1023u);
}

TEST_F(ProtocolTest, SettingsTypeCommandsWantExactlyOk) {
  ReplyOnce({"OK\r"});
  EXPECT_TRUE(SendExpectingOk(link_, command::kReadUser));
  for (const std::string bad : {"ok\r", "OK\r\n", "OK \r", "K\r"}) {
    ReplyOnce({bad});
    EXPECT_FALSE(SendExpectingOk(link_, command::kReadUser)) << bad;
    clock_.Advance(Millis(5000));  // let a leftover LF drain away
    port_.Purge();
  }
}

TEST(ClockCommandTest, TwentyNineBytesWithTwoDigitFields) {
  std::tm t{};
  t.tm_year = 112;
  t.tm_mon = 7;
  t.tm_mday = 28;
  t.tm_hour = 5;
  t.tm_min = 26;
  t.tm_sec = 11;
  EXPECT_EQ(MakeClockCommand(t), "#@SYS_TIME=12,08,28,05,26,11\r");
  t.tm_year = 200;  // 2100
  EXPECT_EQ(MakeClockCommand(t).size(), kClockCommandSize);
  EXPECT_EQ(MakeClockCommand(t).substr(11, 2), "00");
}

}  // namespace
}  // namespace k470
