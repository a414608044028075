// The settings transfer over a real pseudo-terminal: PosixSerialPort,
// ReaderLink and the steady clock against a virtual reader served from a
// thread of this process. What the reader received, what the caller's image
// holds afterwards and whether the port's descriptor was given back are
// checked on the good path and on each way a transfer can fail.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/settings_image.h"
#include "link/clock.h"
#include "link/posix_serial_port.h"
#include "link/progress.h"
#include "link/reader_link.h"
#include "link/settings_transfer.h"
#include "sim/pty_reader.h"

namespace k470 {
namespace {

using sim::PtyReader;
using sim::ReaderConfig;

int OpenDescriptorCount() {
  int count = 0;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    ++count;
  }
  return count;
}

// Waits until no more than `limit` descriptors are open and returns the last
// count. The reader's thread scans /proc when the host closes the port and
// holds a directory open for that moment, so a single sample can be one high;
// a descriptor the port leaked stays and fails the wait.
int DescriptorsSettledAt(int limit) {
  int count = OpenDescriptorCount();
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
       count > limit && std::chrono::steady_clock::now() < end;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    count = OpenDescriptorCount();
  }
  return count;
}

bool WaitFor(const std::function<bool()>& done) {
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
       std::chrono::steady_clock::now() < end;) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return done();
}

// Every byte value and every hex digit in both places, different per seed.
SettingsImage PatternImage(unsigned seed) {
  SettingsImage image;
  for (std::size_t i = 0; i < kImageSize; ++i) {
    image.SetByte(i, static_cast<std::uint8_t>(i * 37 + seed * 101 + (i >> 8)));
  }
  return image;
}

SettingsImage WithChecksumPair(SettingsImage image) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kChecksumOffset; ++i) sum += image.Byte(i);
  image.SetByte(638, static_cast<std::uint8_t>(sum & 0xFF));
  image.SetByte(639, static_cast<std::uint8_t>(~sum & 0xFF));
  return image;
}

// The reader's view of the transfer, written out here rather than taken from
// the link's own formatting.
std::string ExpectedBlockLine(const SettingsImage& image, int k) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X10", k * 16);
  std::string line = text;
  for (int i = 0; i < 16; ++i) {
    std::snprintf(text, sizeof text, "%02X", image.Byte(static_cast<std::size_t>(k * 16 + i)));
    line += text;
  }
  return line + "\r";
}

std::vector<std::string> ExpectedRequests(int count) {
  std::vector<std::string> lines;
  for (int k = 0; k < count; ++k) {
    char text[16];
    std::snprintf(text, sizeof text, "R%04X10\r", k * 16);
    lines.push_back(text);
  }
  return lines;
}

class LinkOverPty : public ::testing::Test {
 protected:
  // Serves a new reader with `config`; the descriptor count to come back to
  // is taken once it runs, before the link opens its port.
  void StartReader(ReaderConfig config) {
    link_.CloseReaderPort();
    reader_.reset();
    reader_ = std::make_unique<PtyReader>(std::move(config));
    std::string error;
    ASSERT_TRUE(reader_->Start(&error)) << error;
    fds_before_ = OpenDescriptorCount();
  }

  void OpenPort() {
    ASSERT_TRUE(link_.OpenReaderPort(reader_->device_path(), LineSettings{})) << port_.last_error();
  }

  void ExpectPortGivenBack() {
    // Fewer is fine: a reader that hung up has closed its own side.
    EXPECT_LE(DescriptorsSettledAt(fds_before_), fds_before_) << "the port's descriptor leaked";
  }

  // The lines the reader took, once there are `count` of them (or two seconds passed).
  std::vector<std::string> LinesWhenAtLeast(std::size_t count) {
    WaitFor([&] { return reader_->received_lines().size() >= count; });
    return reader_->received_lines();
  }

  PosixSerialPort port_;
  ReaderLink link_{port_, SteadyClock()};
  NullProgress progress_;
  std::unique_ptr<PtyReader> reader_;
  int fds_before_ = 0;
};

TEST_F(LinkOverPty, DownloadAndReadBackCarryTheImageByteForByte) {
  ASSERT_NO_FATAL_FAILURE(StartReader({}));
  SettingsImage image = PatternImage(1);
  image.SetByte(638, 0x5A);  // a stale pair that the download must replace
  image.SetByte(639, 0x5A);
  const SettingsImage expected = WithChecksumPair(image);

  ASSERT_NO_FATAL_FAILURE(OpenPort());
  ASSERT_TRUE(DownloadImage(link_, image, progress_));
  EXPECT_EQ(image, expected) << "the checksum pair goes into the caller's image";
  EXPECT_FALSE(link_.IsOpen());
  ExpectPortGivenBack();

  // Twice in a row: the pair must not depend on its own previous value.
  ASSERT_NO_FATAL_FAILURE(OpenPort());
  ASSERT_TRUE(DownloadImage(link_, image, progress_));
  EXPECT_EQ(reader_->current_image(), expected);

  SettingsImage back = PatternImage(2);
  ASSERT_NO_FATAL_FAILURE(OpenPort());
  ASSERT_TRUE(ReadBackImage(link_, back, progress_));
  EXPECT_EQ(back, expected);
  ExpectPortGivenBack();

  std::vector<std::string> want;
  for (int round = 0; round < 2; ++round) {
    for (int k = 0; k < 40; ++k) want.push_back(ExpectedBlockLine(expected, k));
    want.push_back("UPDATE\r");
  }
  for (const std::string& request : ExpectedRequests(40)) want.push_back(request);
  want.push_back("UPDATE\r");
  const std::vector<std::string> got = LinesWhenAtLeast(want.size());
  EXPECT_EQ(got, want);
  ASSERT_EQ(got.size(), want.size());
  EXPECT_TRUE(got.front().starts_with("000010")) << got.front();
  EXPECT_TRUE(got[39].starts_with("027010")) << got[39];
  EXPECT_EQ(got[82], "R000010\r");
  EXPECT_EQ(got[121], "R027010\r");
}

TEST_F(LinkOverPty, FailedReadBackKeepsTheImageSaysExitAndClosesThePort) {
  struct Case {
    const char* name;
    std::function<void(sim::Faults&)> fault;
    std::vector<std::string> lines;  // what the reader records, EXIT included
  };
  std::vector<std::string> silent = ExpectedRequests(20);
  silent.push_back("EXIT\r");
  std::vector<std::string> no_update = ExpectedRequests(40);
  no_update.insert(no_update.end(), {"UPDATE\r", "UPDATE\r", "UPDATE\r", "UPDATE\r", "EXIT\r"});
  const std::vector<std::string> non_hex = {"R000010\r", "EXIT\r"};
  // A reader that hangs up cannot hear EXIT; the host must still let go of the port.
  const std::vector<std::string> vanished = ExpectedRequests(20);

  const Case cases[] = {
      {"silent from block 20", [](sim::Faults& f) { f.silent_from_block = 20; }, silent},
      {"UPDATE not acknowledged", [](sim::Faults& f) { f.no_ack_update = true; }, no_update},
      {"non-hex block replies", [](sim::Faults& f) { f.non_hex_blocks = true; }, non_hex},
      {"reader gone after block 20", [](sim::Faults& f) { f.vanish_after_blocks = 20; }, vanished},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderConfig config;
    c.fault(config.faults);
    ASSERT_NO_FATAL_FAILURE(StartReader(config));
    ASSERT_NO_FATAL_FAILURE(OpenPort());

    SettingsImage image = PatternImage(3);
    const SettingsImage before = image;
    EXPECT_FALSE(ReadBackImage(link_, image, progress_));
    EXPECT_EQ(image, before);
    EXPECT_FALSE(link_.IsOpen());
    ExpectPortGivenBack();
    EXPECT_EQ(LinesWhenAtLeast(c.lines.size()), c.lines);
  }
}

TEST_F(LinkOverPty, FailedDownloadLeavesTheReaderAsItWasAndClosesThePort) {
  ReaderConfig config;
  config.faults.no_ack_lines = true;
  const SettingsImage on_reader = config.current_image;
  ASSERT_NO_FATAL_FAILURE(StartReader(config));
  ASSERT_NO_FATAL_FAILURE(OpenPort());

  SettingsImage image = PatternImage(4);
  EXPECT_FALSE(DownloadImage(link_, image, progress_));
  EXPECT_EQ(image, WithChecksumPair(PatternImage(4))) << "the new pair stays in the image";
  EXPECT_FALSE(link_.IsOpen());
  ExpectPortGivenBack();

  // The first line is sent four times, then the transfer gives up.
  const std::string first = ExpectedBlockLine(image, 0);
  const std::vector<std::string> want = {first, first, first, first, "EXIT\r"};
  EXPECT_EQ(LinesWhenAtLeast(want.size()), want);
  EXPECT_EQ(reader_->current_image(), on_reader);
  EXPECT_EQ(reader_->user_image(), config.user_image);
}

}  // namespace
}  // namespace k470
