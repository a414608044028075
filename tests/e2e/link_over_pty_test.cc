// The settings transfer over a real pseudo-terminal against a virtual reader
// served from a thread of this process: what the reader received, what the
// caller's image holds and whether the port was given back, on the good path
// and on each way a transfer can fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <set>
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

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The descriptors of this process open on `device`. Other descriptors come
// and go with the reader's thread, so only these tell whether the port leaked.
std::set<std::string> DescriptorsOn(const std::string& device) {
  namespace fs = std::filesystem;
  std::set<std::string> found;
  std::error_code ec;
  for (const fs::directory_entry& fd : fs::directory_iterator("/proc/self/fd", ec)) {
    std::error_code link_ec;
    if (fs::read_symlink(fd.path(), link_ec) == device && !link_ec) {
      found.insert(fd.path().filename().string());
    }
  }
  return found;
}

// Every byte value and every hex digit in both places, different per seed;
// bytes 638 and 639 hold the checksum pair when `pair` is set.
SettingsImage Image(unsigned seed, bool pair) {
  SettingsImage image;
  unsigned sum = 0;
  for (std::size_t i = 0; i < kImageSize; ++i) {
    image.SetByte(i, static_cast<std::uint8_t>(i * 37 + seed * 101 + (i >> 8)));
    if (i < kChecksumOffset) sum += image.Byte(i);
  }
  if (pair) image.SetByte(kChecksumOffset, static_cast<std::uint8_t>(sum & 0xFF));
  if (pair) image.SetByte(kChecksumComplementOffset, static_cast<std::uint8_t>(~sum & 0xFF));
  return image;
}

// The reader's view of the transfer, written out here rather than taken from
// the link's own formatting: block line k of `image`, or block request k.
std::string Expected(int k, const SettingsImage* image = nullptr) {
  char text[8];
  std::snprintf(text, sizeof text, image ? "%04X10" : "R%04X10", k * 16);
  std::string line = text;
  for (int i = 0; image && i < 16; ++i) {
    std::snprintf(text, sizeof text, "%02X", image->Byte(static_cast<std::size_t>(k * 16 + i)));
    line += text;
  }
  return line + "\r";
}

std::vector<std::string> Requests(int count, std::vector<std::string> then) {
  for (int k = count - 1; k >= 0; --k) then.insert(then.begin(), Expected(k));
  return then;
}

class LinkOverPty : public ::testing::Test {
 protected:
  // Serves a new reader with `config`. The reader keeps a descriptor on its
  // own pty; it is noted before the link opens the port.
  void StartReader(ReaderConfig config) {
    reader_ = std::make_unique<PtyReader>(std::move(config));
    ASSERT_TRUE(reader_->Start(nullptr));
    readers_own_ = DescriptorsOn(reader_->device_path());
    ASSERT_EQ(readers_own_.size(), 1u);
  }

  void OpenPort() {
    ASSERT_TRUE(link_.OpenReaderPort(reader_->device_path(), LineSettings{})) << port_.last_error();
  }

  // Closing is synchronous, so no descriptor but the reader's own may be left
  // on the pty; a reader that hung up has closed that one too.
  void ExpectPortGivenBack() {
    EXPECT_FALSE(link_.IsOpen());
    const std::set<std::string> left = DescriptorsOn(reader_->device_path());
    EXPECT_TRUE(std::includes(readers_own_.begin(), readers_own_.end(), left.begin(), left.end()))
        << "the port's descriptor leaked: " << left.size() << " open on the pty";
  }

  // The lines the reader took, once there are `count` of them (or ten seconds
  // passed, which only a failing test reaches).
  std::vector<std::string> LinesWhenAtLeast(std::size_t count) {
    for (int i = 0; i < 5000 && reader_->received_lines().size() < count; ++i) SleepMs(2);
    return reader_->received_lines();
  }

  PosixSerialPort port_;
  ReaderLink link_{port_, SteadyClock()};
  NullProgress progress_;
  std::unique_ptr<PtyReader> reader_;
  std::set<std::string> readers_own_;
};

TEST_F(LinkOverPty, DownloadAndReadBackCarryTheImageByteForByte) {
  ASSERT_NO_FATAL_FAILURE(StartReader({}));
  SettingsImage image = Image(1, false);  // a stale pair that the download must replace
  const SettingsImage expected = Image(1, true);
  ASSERT_NO_FATAL_FAILURE(OpenPort());
  ASSERT_TRUE(DownloadImage(link_, image, progress_));
  EXPECT_EQ(image, expected) << "the checksum pair goes into the caller's image";
  ExpectPortGivenBack();

  // Twice in a row: the pair must not depend on its own previous value.
  ASSERT_NO_FATAL_FAILURE(OpenPort());
  ASSERT_TRUE(DownloadImage(link_, image, progress_));
  EXPECT_EQ(reader_->current_image(), expected);

  SettingsImage back = Image(2, true);
  ASSERT_NO_FATAL_FAILURE(OpenPort());
  ASSERT_TRUE(ReadBackImage(link_, back, progress_));
  EXPECT_EQ(back, expected);
  ExpectPortGivenBack();

  std::vector<std::string> want = Requests(40, {"UPDATE\r"});
  for (int round = 0; round < 2; ++round) {
    want.insert(want.begin(), "UPDATE\r");
    for (int k = 39; k >= 0; --k) want.insert(want.begin(), Expected(k, &expected));
  }
  const std::vector<std::string> got = LinesWhenAtLeast(want.size());
  ASSERT_EQ(got, want);
  EXPECT_TRUE(got.front().starts_with("000010") && got[39].starts_with("027010")) << got[39];
  EXPECT_EQ(got[82], "R000010\r");
  EXPECT_EQ(got[121], "R027010\r");
}

TEST_F(LinkOverPty, FailedTransferKeepsBothImagesSaysExitAndClosesThePort) {
  const SettingsImage sent = Image(3, true);
  const std::string first = Expected(0, &sent);
  const std::string update = "UPDATE\r";
  const struct {
    const char* name;
    sim::Faults faults;
    std::vector<std::string> lines;  // what the reader records, EXIT included
  } cases[] = {
      {"silent from block 20", {.silent_from_block = 20}, Requests(20, {"EXIT\r"})},
      {"UPDATE not acknowledged",
       {.no_ack_update = true},
       Requests(40, {update, update, update, update, "EXIT\r"})},
      {"non-hex block replies", {.non_hex_blocks = true}, Requests(1, {"EXIT\r"})},
      // A reader that hangs up cannot hear EXIT; the host must still let go of the port.
      {"reader gone after block 20", {.vanish_after_blocks = 20}, Requests(20, {})},
      // A download: the first line is sent four times, then it gives up.
      {"block lines refused", {.no_ack_lines = true}, {first, first, first, first, "EXIT\r"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderConfig config;
    config.faults = c.faults;
    ASSERT_NO_FATAL_FAILURE(StartReader(config));
    ASSERT_NO_FATAL_FAILURE(OpenPort());
    const bool download = c.faults.no_ack_lines;
    // Neither leaves anything in the caller's image, not even the checksum pair.
    SettingsImage image = Image(3, false);
    EXPECT_FALSE(download ? DownloadImage(link_, image, progress_)
                          : ReadBackImage(link_, image, progress_));
    EXPECT_EQ(image, Image(3, false));
    ExpectPortGivenBack();
    EXPECT_EQ(LinesWhenAtLeast(c.lines.size()), c.lines);
    EXPECT_EQ(reader_->current_image(), config.current_image);
    EXPECT_EQ(reader_->user_image(), config.user_image);
  }
}

}  // namespace
}  // namespace k470
