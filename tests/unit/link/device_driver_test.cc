#include "link/device_driver.h"

#include <gtest/gtest.h>

#include <deque>

#include "link/failed_lines.h"
#include "tests/unit/link/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;

const std::string kIdentityReply = "#@SYS_INFO\rUHF RDRK471 Handheld\rSN1\rK1\rU1\rMAC\r";
const std::string kClock = "#@SYS_TIME=26,12,06,20,00,00\r";

// Answers the driver from a script and records everything it was shown.
class ScriptedUi : public DeviceUi {
 public:
  std::deque<FailureChoice> failed_choices;
  std::deque<bool> com_port_answers;
  std::deque<bool> yes_no_answers;
  std::string com_port_sets;  // the port an Ok of the COM Port Properties dialog sets
  AppState* state = nullptr;

  std::vector<std::string> events;

  FailureChoice ShowFailed(const FailedLines& lines) override {
    events.push_back("Failed!:" + lines[0]);
    if (failed_choices.empty()) return FailureChoice::kCancel;
    auto c = failed_choices.front();
    failed_choices.pop_front();
    return c;
  }
  bool ShowComPortProperties(DeviceOperation) override {
    events.push_back("COM Port Properties");
    if (com_port_answers.empty()) return false;
    const bool ok = com_port_answers.front();
    com_port_answers.pop_front();
    if (ok) state->port_in_use = com_port_sets;
    return ok;
  }
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
    events.push_back(caption + ":" + text);
  }
  bool AskYesNo(const std::string& text, const std::string&) override {
    events.push_back("?" + text);
    if (yes_no_answers.empty()) return false;
    const bool yes = yes_no_answers.front();
    yes_no_answers.pop_front();
    return yes;
  }
  void SetStatusText(const std::string& text) override { events.push_back("status:" + text); }
  void Begin(const std::string&, const std::string&, int) override {}
  void SetPosition(int) override {}
  void End() override {}
};

class DriverTest : public ::testing::Test {
 protected:
  DriverTest()
      : port_(clock_),
        link_(port_, clock_),
        driver_(state_, link_, ui_, [this] { return ports_; }) {
    ui_.state = &state_;
    state_.configured_port = "/dev/ttyACM0";
    driver_.SetClockCommand(kClock);
    port_.SetResponder([this](ScriptedPort& p, const std::string& w) { Answer(p, w); });
  }

  // A well-behaved reader unless a test says otherwise.
  void Answer(ScriptedPort& p, const std::string& w) {
    if (w == "#@SYS_INFO?\r") {
      if (silent_identities_ > 0) {
        --silent_identities_;
        return;
      }
      p.Deliver(kIdentityReply, Millis(3));
    } else if (w.starts_with("#@SYS_TIME=") || w == "WRITE_U\r" || w == "WRITE_B\r" ||
               w == "READ_U\r" || w == "#@SYS_MEMCLR\r") {
      p.Deliver("OK\r", Millis(3));
    } else if (w == "#@SYS_BATTERY?\r") {
      if (battery_ok_) p.Deliver("OK 3.95V\r", Millis(3));
    } else if (w.size() == 39 || w == "UPDATE\r") {
      if (w.starts_with("0270") && fail_last_block_ > 0) {
        --fail_last_block_;
        return;
      }
      p.Deliver("ACK\r", Millis(3));
    } else if (w.size() == 8 && w[0] == 'R') {
      p.Deliver(std::string(32, '5') + "\r", Millis(3));
    }
  }

  // What the driver wrote, with block lines and requests folded into one entry each run.
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const auto& w : port_.written()) {
      const bool block = (w.size() == 39) || (w.size() == 8 && w[0] == 'R');
      if (block) {
        if (out.empty() || out.back() != "<blocks>") out.push_back("<blocks>");
      } else {
        out.push_back(w);
      }
    }
    return out;
  }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& e : ui_.events) n += e.starts_with(prefix);
    return n;
  }

  VirtualClock clock_;
  ScriptedPort port_;
  ReaderLink link_;
  AppState state_;
  ScriptedUi ui_;
  std::vector<std::string> ports_{"-Select-"};
  DeviceDriver driver_;
  int silent_identities_ = 0;
  bool battery_ok_ = true;
  int fail_last_block_ = 0;
};

TEST_F(DriverTest, WithoutAnyPortTheComPortDialogComesFirst) {
  state_.configured_port.clear();
  EXPECT_FALSE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(ui_.events, std::vector<std::string>{"COM Port Properties"});
  EXPECT_EQ(port_.opens(), 0);
}

TEST_F(DriverTest, WithoutConfiguredPortTheFirstDiscoveredOneIsUsed) {
  state_.configured_port.clear();
  ports_ = {"/dev/ttyACM3", "/dev/ttyACM4", "-Select-"};
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(port_.opened_name(), "/dev/ttyACM3");
  EXPECT_EQ(state_.port_list, ports_);
}

TEST_F(DriverTest, PortThatCannotBeOpenedOffersRetryAndComSetting) {
  port_.FailOpen(true);
  ui_.failed_choices = {FailureChoice::kRetry, FailureChoice::kComSetting};
  ui_.com_port_answers = {false};
  state_.reader_present = true;
  EXPECT_FALSE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(port_.opens(), 2);
  EXPECT_EQ(Count("Failed!:Opening COM Port failed!"), 2);
  EXPECT_EQ(Count("COM Port Properties"), 1);
  EXPECT_FALSE(state_.reader_present);
}

TEST_F(DriverTest, SilentReaderGetsOneFailedDialogPerTwoAttemptsAfterRetry) {
  silent_identities_ = 4;
  ui_.failed_choices = {FailureChoice::kRetry, FailureChoice::kCancel};
  EXPECT_FALSE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(port_.opens(), 4);
  EXPECT_EQ(Count("Failed!:Connecting to device failed!"), 2);
  EXPECT_EQ(Commands().back(), "EXIT\r");
  EXPECT_FALSE(state_.reader_present);
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(DriverTest, SilentReaderGetsOneFailedDialogPerAttemptAfterComSetting) {
  silent_identities_ = 4;
  ui_.failed_choices = {FailureChoice::kComSetting, FailureChoice::kComSetting,
                        FailureChoice::kCancel};
  ui_.com_port_answers = {true, true};
  ui_.com_port_sets = "/dev/ttyACM1";
  EXPECT_FALSE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(port_.opens(), 4);  // two silent ones, then one per dialog
  EXPECT_EQ(Count("Failed!:Connecting"), 3);
  EXPECT_EQ(port_.opened_name(), "/dev/ttyACM1");
}

TEST_F(DriverTest, AReaderThatWakesUpAfterRetryIsServed) {
  silent_identities_ = 2;
  ui_.failed_choices = {FailureChoice::kRetry};
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(driver_.result_text(), "The Battery Voltage is: 3.95V\r");
  EXPECT_EQ(state_.device_info.serial_number, "SN1");
}

TEST_F(DriverTest, AnotherModelIsRefusedAfterTheSecondAttempt) {
  port_.SetResponder([](ScriptedPort& p, const std::string& w) {
    if (w == "#@SYS_INFO?\r") p.Deliver("x\rUHF RDRK999\rs\rk\ru\rm\r");
  });
  EXPECT_FALSE(driver_.RunDeviceOperation(DeviceOperation::kReadSettings));
  EXPECT_EQ(ui_.events, std::vector<std::string>{"Read Settings:Device type is not match!"});
  EXPECT_EQ(Commands(), (std::vector<std::string>{"#@SYS_INFO?\r", "#@SYS_INFO?\r", "EXIT\r"}));
}

TEST_F(DriverTest, DownloadInClockModeOneSendsTheClockFirst) {
  state_.clock_mode = ClockMode::kSyncWithHost;
  state_.download_settings_type = DownloadSettingsType::kBoth;
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kDownloadSettings));
  EXPECT_EQ(Commands(), (std::vector<std::string>{"#@SYS_INFO?\r", kClock, "#@402718\r",
                                                  "WRITE_B\r", "<blocks>", "UPDATE\r"}));
  EXPECT_EQ(ui_.events.back(), "Download:Downloaded completely!");
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(DriverTest, DownloadInOtherClockModesSendsNoClock) {
  for (auto mode : {ClockMode::kSkip, ClockMode::kSetTimeAndDate}) {
    state_.clock_mode = mode;
    state_.download_settings_type = DownloadSettingsType::kCurrent;
    port_.ClearWrites();
    EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kDownloadSettings));
    EXPECT_EQ(Commands(),
              (std::vector<std::string>{"#@SYS_INFO?\r", "#@402718\r", "<blocks>", "UPDATE\r"}));
  }
}

TEST_F(DriverTest, YesToTheRetryQuestionRepeatsEverythingWithTheClock) {
  state_.clock_mode = ClockMode::kSyncWithHost;
  state_.download_settings_type = DownloadSettingsType::kUserDefined;
  fail_last_block_ = 1;  // the first download fails at its last block
  ui_.yes_no_answers = {true};
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kDownloadSettings));
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"#@SYS_INFO?\r", kClock, "#@402718\r", "WRITE_U\r",
                                      "<blocks>", "EXIT\r", "#@SYS_INFO?\r", kClock, "#@402718\r",
                                      "WRITE_U\r", "<blocks>", "UPDATE\r"}));
  EXPECT_EQ(Count("?Failed to download, would you like to retry?"), 1);
}

TEST_F(DriverTest, SetClockSendsOnlyIdentityAndClock) {
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kSetClock));
  EXPECT_EQ(Commands(), (std::vector<std::string>{"#@SYS_INFO?\r", kClock}));
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(DriverTest, BatteryFailureSaysExitAndSuccessDoesNot) {
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(Commands().back(), "#@SYS_BATTERY?\r");
  EXPECT_FALSE(port_.IsOpen());

  battery_ok_ = false;
  EXPECT_FALSE(driver_.RunDeviceOperation(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(Commands().back(), "EXIT\r");
  EXPECT_EQ(ui_.events.back(), "Error:Failed to get battery information!");
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(DriverTest, ReadOfUserSettingsAsksForThemAndReplacesTheImage) {
  state_.read_settings_type = ReadSettingsType::kUserDefined;
  EXPECT_TRUE(driver_.RunDeviceOperation(DeviceOperation::kReadSettings));
  EXPECT_EQ(Commands(), (std::vector<std::string>{"#@SYS_INFO?\r", "#@402718\r", "READ_U\r",
                                                  "<blocks>", "UPDATE\r"}));
  EXPECT_EQ(state_.image.Byte(100), 0x55);
  EXPECT_EQ(ui_.events, (std::vector<std::string>{"status:Connected!"}));
}

TEST(FailedLinesTest, BothColumnsBeginWithTheirQuestion) {
  const auto port = FailedLinesFor(FailureKind::kPortCannotBeOpened);
  const auto reader = FailedLinesFor(FailureKind::kReaderDoesNotAnswer);
  EXPECT_EQ(port[2], reader[2]);
  EXPECT_EQ(port[4], "");
  EXPECT_EQ(reader[1],
            "    【Retry】Please press K470 trigger key to wake up K470 and press Retry");
}

}  // namespace
}  // namespace k470
