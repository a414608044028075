// The device-operations driver on the real termios port against the virtual
// reader: what the reader hears, in order, and what the user is shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/checksum.h"
#include "core/defaults.h"
#include "link/device_driver.h"
#include "link/posix_serial_port.h"
#include "link/reader_link.h"
#include "sim/pty_reader.h"

namespace k470 {
namespace {

const std::string kClockCommand = "#@SYS_TIME=26,12,06,21,30,15\r";

// Answers nothing it is not asked; Cancel and No whenever it is.
class RecordingUi : public DeviceUi {
 public:
  std::vector<std::string> shown;

  FailureChoice ShowFailed(const FailedLines& lines) override {
    shown.push_back("Failed!: " + lines[0]);
    return FailureChoice::kCancel;
  }
  bool ShowComPortProperties(DeviceOperation) override {
    shown.push_back("COM Port Properties");
    return false;
  }
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
    shown.push_back(caption + ": " + text);
  }
  bool AskYesNo(const std::string& text, const std::string&) override {
    shown.push_back("? " + text);
    return false;
  }
  void SetStatusText(const std::string&) override {}
  void Begin(const std::string&, const std::string&, int) override {}
  void SetPosition(int) override {}
  void End() override {}
};

class DriverOverPty : public ::testing::Test {
 protected:
  void StartReader(sim::ReaderConfig config = {}) {
    reader_ = std::make_unique<sim::PtyReader>(std::move(config));
    std::string error;
    ASSERT_TRUE(reader_->Start(&error)) << error;
    New(state_);
    state_.configured_port = reader_->device_path();
  }

  bool Run(DeviceOperation operation) {
    DeviceDriver driver(state_, link_, ui_, [] { return std::vector<std::string>{"-Select-"}; });
    driver.SetClockCommand(kClockCommand);
    const bool ok = driver.RunDeviceOperation(operation);
    result_text_ = driver.result_text();
    return ok;
  }

  // What the reader has heard once it has heard `at_least` lines, or after a
  // second: a line written just before the port closes is read by the
  // reader's thread a moment later.
  std::vector<std::string> Heard(std::size_t at_least = 0) const {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    std::vector<std::string> lines = reader_->received_lines();
    while (lines.size() < at_least && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      lines = reader_->received_lines();
    }
    return lines;
  }

  AppState state_;
  PosixSerialPort port_;
  ReaderLink link_{port_, SteadyClock()};
  RecordingUi ui_;
  std::string result_text_;
  std::unique_ptr<sim::PtyReader> reader_;
};

TEST_F(DriverOverPty, DownloadInClockModeOneSetsTheClockThenWritesBothImages) {
  StartReader();
  state_.clock_mode = ClockMode::kSyncWithHost;
  state_.download_settings_type = DownloadSettingsType::kBoth;
  state_.image.SetByte(100, 0x5A);

  ASSERT_TRUE(Run(DeviceOperation::kDownloadSettings));
  EXPECT_FALSE(port_.IsOpen());

  const std::vector<std::string> heard = Heard();
  ASSERT_EQ(heard.size(), 4u + 40u + 1u);
  EXPECT_EQ(heard[0], "#@SYS_INFO?\r");
  EXPECT_EQ(heard[1], kClockCommand);
  EXPECT_EQ(heard[2], "#@402718\r");
  EXPECT_EQ(heard[3], "WRITE_B\r");
  EXPECT_EQ(heard.back(), "UPDATE\r");
  ASSERT_TRUE(reader_->clock().has_value());

  // The checksum pair went along and both images now hold the download.
  EXPECT_EQ(reader_->current_image(), state_.image);
  EXPECT_EQ(reader_->user_image(), state_.image);
  EXPECT_EQ(reader_->current_image().Byte(100), 0x5A);
  EXPECT_EQ(ui_.shown, std::vector<std::string>{"Download: Downloaded completely!"});
}

TEST_F(DriverOverPty, DownloadInOtherClockModesLeavesTheReadersClockAlone) {
  StartReader();
  for (ClockMode mode : {ClockMode::kSkip, ClockMode::kSetTimeAndDate}) {
    state_.clock_mode = mode;
    ASSERT_TRUE(Run(DeviceOperation::kDownloadSettings));
  }
  const std::vector<std::string> heard = Heard();
  EXPECT_EQ(std::count_if(heard.begin(), heard.end(),
                          [](const std::string& line) { return line.starts_with("#@SYS_TIME"); }),
            0);
  EXPECT_FALSE(reader_->clock().has_value());
}

TEST_F(DriverOverPty, ReadOfUserSettingsTakesTheUserImage) {
  sim::ReaderConfig config;
  config.user_image = sim::FactoryImage();
  config.user_image.SetByte(7, 0x42);
  StoreChecksumPair(config.user_image);
  const SettingsImage expected = config.user_image;
  StartReader(std::move(config));
  state_.read_settings_type = ReadSettingsType::kUserDefined;

  ASSERT_TRUE(Run(DeviceOperation::kReadSettings));
  EXPECT_EQ(state_.image, expected);
  const std::vector<std::string> heard = Heard();
  ASSERT_GE(heard.size(), 3u);
  EXPECT_EQ(heard[2], "READ_U\r");
  EXPECT_EQ(heard.back(), "UPDATE\r");
  EXPECT_EQ(state_.device_info.serial_number, "K471-000123");
}

TEST_F(DriverOverPty, AnotherModelIsRefusedAfterTwoIdentityAttemptsWithExit) {
  sim::ReaderConfig config;
  config.faults.wrong_model = true;
  StartReader(std::move(config));
  const SettingsImage before = state_.image;

  EXPECT_FALSE(Run(DeviceOperation::kReadSettings));
  EXPECT_EQ(Heard(3), (std::vector<std::string>{"#@SYS_INFO?\r", "#@SYS_INFO?\r", "EXIT\r"}));
  EXPECT_EQ(ui_.shown, std::vector<std::string>{"Read Settings: Device type is not match!"});
  EXPECT_EQ(state_.image, before);
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(DriverOverPty, BatteryQueryAnswersWithoutExit) {
  StartReader();
  ASSERT_TRUE(Run(DeviceOperation::kBatteryQuery));
  // The reader's CR comes along with its text.
  EXPECT_EQ(result_text_.substr(0, result_text_.find('\r')), "The Battery Voltage is: 3.95V");
  // An "EXIT\r" would have been the third line.
  const std::vector<std::string> heard = Heard(3);
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_EQ(std::find(heard.begin(), heard.end(), "EXIT\r"), heard.end());
  EXPECT_TRUE(ui_.shown.empty());
}

}  // namespace
}  // namespace k470
