#include "link/device_driver.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/checksum.h"
#include "link/failed_lines.h"
#include "tests/support/scripted_port.h"

namespace k470 {
namespace {

using testing::ScriptedPort;
using Lines = std::vector<std::string>;

const std::string kIdentity = "#@SYS_INFO?\r";
const std::string kClock = "#@SYS_TIME=26,12,06,20,00,00\r";
const std::string kServiceMode = "#@402718\r";

// Answers the dialogs from one script (then Cancel, Cancel, No) and records what it was shown.
constexpr int kRetry = static_cast<int>(FailureChoice::kRetry);
constexpr int kComSetting = static_cast<int>(FailureChoice::kComSetting);
class ScriptedUi : public DeviceUi {
 public:
  using Text = const std::string&;
  std::deque<int> answers;  // a FailureChoice for "Failed!", else 1 for Ok or Yes
  Lines events;

  FailureChoice ShowFailed(FailureKind kind) override {
    return FailureChoice{
        Answer("Failed!:" + FailedLinesFor(kind)[0], static_cast<int>(FailureChoice::kCancel))};
  }
  bool ShowComPortProperties(DeviceRequest&) override { return Answer("COM Port Properties", 0); }
  void ShowMessage(Text text, Text caption, MessageIcon, MessageKind kind) override {
    events.push_back((kind == MessageKind::kDone ? "done " : "") + caption + ":" + text);
  }
  bool AskYesNo(Text question, Text, Text failure) override {
    return Answer("?" + question + " else " + failure, 0);
  }
  void SetStatusText(Text text) override { events.push_back("status:" + text); }
  void Begin(Text, Text, int) override {}
  void SetPosition(int) override {}
  void End() override {}

 private:
  int Answer(const std::string& event, int otherwise) {
    events.push_back(event);
    if (answers.empty()) return otherwise;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    state_.configured_port = "/dev/ttyACM0";
    port_.responder = [this](ScriptedPort& p, const std::string& w) { Answer(p, w); };
  }

  // Set clock carries its command; the rest ask for the current settings.
  bool Run(DeviceOperation operation) {
    DeviceRequest request(operation);
    if (operation == DeviceOperation::kSetClock) request.clock_command = kClock;
    return driver_.RunDeviceOperation(request);
  }

  // A well-behaved reader unless a test says otherwise.
  void Answer(ScriptedPort& p, const std::string& w) {
    std::string reply = "OK\r";
    if (w == kIdentity) {
      if (silent_identities_-- > 0) return;
      reply = "#@SYS_INFO\rUHF RDR" + model_ + " Handheld\rSN1\rK1\rU1\rMAC\r";
    } else if (w.starts_with("#@SYS_TIME=")) {
      if (!clock_ok_) reply = "ERR\r";
    } else if (w == "#@SYS_BATTERY?\r") {
      if (!battery_ok_) return;
      reply = "OK 3.95V\r";
    } else if (w.size() == 39 || w == "UPDATE\r" || w == "EXIT\r") {
      if (w.starts_with("0270") && failing_last_blocks_-- > 0) return;
      reply = "ACK\r";
    }
    p.Deliver(reply, Millis(3));
  }

  // What the driver wrote, each run of block lines folded into one "<blocks>".
  Lines Commands() const {
    Lines out;
    for (const auto& w : port_.written()) {
      if (w.size() != 39 || out.empty() || out.back() != "<blocks>")
        out.push_back(w.size() == 39 ? "<blocks>" : w);
    }
    return out;
  }
  // The last of `lines`, or "<none>".
  static std::string Last(const Lines& lines) { return lines.empty() ? "<none>" : lines.back(); }
  long Shown(const std::string& prefix) const {
    return std::ranges::count_if(ui_.events, [&](const auto& e) { return e.starts_with(prefix); });
  }

  VirtualClock clock_;
  ScriptedPort port_{clock_};
  ReaderLink link_{port_, clock_};
  AppState state_;
  ScriptedUi ui_;
  Lines discovered_{"-Select-"};
  DeviceDriver driver_{state_, link_, ui_, [this] { return discovered_; }};
  std::string model_ = "K471";
  int silent_identities_ = 0;
  bool battery_ok_ = true;
  bool clock_ok_ = true;
  int failing_last_blocks_ = 0;
};

TEST_F(DriverTest, WithoutAPortTheComPortDialogComesFirstElseTheFirstDiscoveredOne) {
  state_.configured_port.clear();
  EXPECT_FALSE(Run(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(ui_.events, Lines{"COM Port Properties"});
  EXPECT_TRUE(port_.opened.empty());

  discovered_ = {"/dev/ttyACM3", "/dev/ttyACM4", "-Select-"};
  EXPECT_TRUE(Run(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(state_.port_in_use, "/dev/ttyACM3");
  EXPECT_EQ(state_.port_list, discovered_);
}

TEST_F(DriverTest, SilentReaderGetsOneFailedPerTwoAttemptsAfterRetryOnePerAttemptAfterComSetting) {
  const struct {
    std::deque<int> answers;
    bool done;
    std::size_t opens;
    int failed;
  } cases[] = {{{kRetry, kRetry}, true, 5, 2}, {{kComSetting, 1, kComSetting, 1}, false, 4, 3}};
  for (const auto& c : cases) {
    silent_identities_ = 4;
    port_.opened.clear();
    ui_.answers = c.answers;
    EXPECT_EQ(Run(DeviceOperation::kBatteryQuery), c.done);
    EXPECT_EQ(port_.opened.size(), c.opens);
    EXPECT_EQ(Shown("Failed!:Connecting to device failed!"), c.failed);
    ui_.events.clear();
  }
  EXPECT_EQ(Last(port_.written()), "EXIT\r");  // Cancel after COM Setting
}

TEST_F(DriverTest, AnotherModelIsRefusedAfterTheSecondAttempt) {
  model_ = "K999";
  EXPECT_FALSE(Run(DeviceOperation::kReadSettings));
  EXPECT_EQ(ui_.events, Lines{"Read Settings:Device type is not match!"});
  EXPECT_EQ(Commands(), (Lines{kIdentity, kIdentity, "EXIT\r"}));
}

TEST_F(DriverTest, YesToTheRetryQuestionRepeatsEverythingWithTheClock) {
  DeviceRequest download(DeviceOperation::kDownloadSettings);
  download.clock_command = kClock;
  download.download_type = DownloadSettingsType::kUserDefined;
  failing_last_blocks_ = 1;
  ui_.answers = {1};
  EXPECT_TRUE(driver_.RunDeviceOperation(download));
  EXPECT_EQ(Commands(),
            (Lines{kIdentity, kClock, kServiceMode, "WRITE_U\r", "<blocks>", "EXIT\r", kIdentity,
                   kClock, kServiceMode, "WRITE_U\r", "<blocks>", "UPDATE\r"}));
  EXPECT_EQ(Shown("?Failed to download, would you like to retry? else Failed to download!"), 1);
}

// The checksum pair is part of what a download sends; a download that fails
// must not leave it in the image, or the program would take it for an edit.
TEST_F(DriverTest, AFailedDownloadLeavesTheImageAsItWasAndADoneOneHoldsTheChecksum) {
  DeviceRequest download(DeviceOperation::kDownloadSettings);
  download.download_type = DownloadSettingsType::kUserDefined;
  state_.image.SetByte(100, 0x5A);
  const SettingsImage before = state_.image;
  failing_last_blocks_ = 1;
  ui_.answers = {0};  // no retry
  EXPECT_FALSE(driver_.RunDeviceOperation(download));
  EXPECT_EQ(Last(Commands()), "EXIT\r");
  EXPECT_TRUE(state_.image == before);

  EXPECT_TRUE(driver_.RunDeviceOperation(download));
  EXPECT_FALSE(state_.image == before);
  SettingsImage expected = before;
  StoreChecksumPair(expected);
  EXPECT_TRUE(state_.image == expected);
}

TEST_F(DriverTest, SetClockAndBatteryEndWithoutExitUnlessTheyFail) {
  EXPECT_TRUE(Run(DeviceOperation::kSetClock));
  EXPECT_EQ(Commands(), (Lines{kIdentity, kClock}));  // never the service-mode command
  EXPECT_FALSE(port_.IsOpen());

  clock_ok_ = false;
  port_.writes.clear();
  EXPECT_FALSE(Run(DeviceOperation::kSetClock));
  EXPECT_EQ(Commands(), (Lines{kIdentity, kClock, "EXIT\r"}));
  EXPECT_EQ(Last(ui_.events), "Error:Failed to update system clock!");
  EXPECT_FALSE(port_.IsOpen());

  port_.writes.clear();
  EXPECT_TRUE(Run(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(Commands(), (Lines{kIdentity, "#@SYS_BATTERY?\r"}));
  EXPECT_EQ(driver_.result_text(), "The Battery Voltage is: 3.95V\r");

  battery_ok_ = false;
  EXPECT_FALSE(Run(DeviceOperation::kBatteryQuery));
  EXPECT_EQ(Last(Commands()), "EXIT\r");
  EXPECT_EQ(Last(ui_.events), "Error:Failed to get battery information!");
  EXPECT_FALSE(port_.IsOpen());
}

}  // namespace
}  // namespace k470
