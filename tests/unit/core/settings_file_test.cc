#include "core/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/defaults.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Spit(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Pattern(std::size_t n, std::uint8_t seed) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(seed + i * 7);
  return v;
}

SettingsImage DefaultImage() {
  AppState s;
  New(s);
  return s.image;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("k470_files_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    New(state_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  AppState state_;
};

TEST_F(SettingsFileTest, FileWrittenAfterNewIsTheDefaultImage) {
  ASSERT_TRUE(SaveAs(state_, Path("fresh")));
  EXPECT_EQ(state_.settings_path, Path("fresh.K470"));
  const auto bytes = Slurp(Path("fresh.K470"));
  ASSERT_EQ(bytes.size(), kImageSize);
  const auto expected = DefaultImage();
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.bytes().begin()));
  EXPECT_EQ(bytes[638], 0);  // the pair is only computed for a download
  EXPECT_EQ(bytes[639], 0);
}

TEST_F(SettingsFileTest, OpenLoadsShortEmptyAndLongFilesOverDefaults) {
  state_.clock_mode = ClockMode::kSkip;
  Spit(Path("empty.K470"), {});
  ASSERT_TRUE(Open(state_, Path("empty.K470")));
  EXPECT_EQ(state_.image, DefaultImage());
  EXPECT_EQ(state_.clock_mode, ClockMode::kSyncWithHost);
  EXPECT_EQ(state_.settings_path, Path("empty.K470"));

  const auto hundred = Pattern(100, 3);
  Spit(Path("short.K470"), hundred);
  ASSERT_TRUE(Open(state_, Path("short.K470")));
  const auto defaults = DefaultImage();
  for (std::size_t i = 0; i < kImageSize; ++i) {
    EXPECT_EQ(state_.image.Byte(i), i < 100 ? hundred[i] : defaults.Byte(i)) << i;
  }

  const auto long_file = Pattern(641, 9);
  Spit(Path("long.K470"), long_file);
  ASSERT_TRUE(Open(state_, Path("long.K470")));
  EXPECT_TRUE(
      std::equal(long_file.begin(), long_file.begin() + kImageSize, state_.image.bytes().begin()));
}

TEST_F(SettingsFileTest, NewAfterOpenKeepsWhatTheTableMarksKeep) {
  Spit(Path("all-ff.K470"), std::vector<std::uint8_t>(kImageSize, 0xFF));
  ASSERT_TRUE(Open(state_, Path("all-ff.K470")));
  New(state_);
  EXPECT_EQ(state_.image.Byte(2), 0xF6);  // bits 4-7 kept
  for (std::size_t i = 453; i < kImageSize; ++i) EXPECT_EQ(state_.image.Byte(i), 0xFF) << i;
}

TEST_F(SettingsFileTest, OpenOfAMissingFileChangesNothingButThePath) {
  state_.image.SetByte(0, 77);
  const auto before = state_.image;
  EXPECT_FALSE(Open(state_, Path("nope.K470")));
  EXPECT_EQ(state_.image, before);
  EXPECT_EQ(state_.settings_path, Path("nope.K470"));
}

TEST_F(SettingsFileTest, SaveAsNamingRule) {
  EXPECT_EQ(SettingsFileNameFor("settings"), "settings.K470");
  EXPECT_EQ(SettingsFileNameFor("settings.txt"), "settings.txt.K470");
  EXPECT_EQ(SettingsFileNameFor("settingsK470"), "settingsK470");
  EXPECT_EQ(SettingsFileNameFor("settings.k470"), "settings.k470.K470");  // case-sensitive
  EXPECT_EQ(SettingsFileNameFor(std::string(250, 'a')), std::string(250, 'a') + ".K470");
  EXPECT_EQ(SettingsFileNameFor(std::string(251, 'a')), std::nullopt);  // refused, never cut
  EXPECT_EQ(SettingsFileNameFor(std::string(251, 'a') + "K470"), std::string(251, 'a') + "K470");

  const std::string too_long = Path(std::string(255, 'a'));
  state_.settings_path = "kept";
  EXPECT_FALSE(SaveAs(state_, too_long));
  EXPECT_EQ(state_.settings_path, "kept");
}

TEST_F(SettingsFileTest, SaveWithoutPathAsksAndAfterOpenWritesBack) {
  int asked = 0;
  auto cancel = [&]() -> std::optional<std::string> {
    ++asked;
    return std::nullopt;
  };
  EXPECT_FALSE(Save(state_, cancel));
  EXPECT_EQ(asked, 1);

  ASSERT_TRUE(Save(state_, [&]() -> std::optional<std::string> { return Path("chosen"); }));
  EXPECT_TRUE(fs::exists(Path("chosen.K470")));

  Spit(Path("mine.K470"), Pattern(kImageSize, 1));
  ASSERT_TRUE(Open(state_, Path("mine.K470")));
  state_.image.SetByte(5, 0x42);
  ASSERT_TRUE(Save(state_, cancel));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Slurp(Path("mine.K470"))[5], 0x42);
}

TEST_F(SettingsFileTest, SaveIntoAMissingFolderFails) {
  EXPECT_FALSE(SaveAs(state_, Path("no/such/folder/x")));
}

// Fails the write after `allow` bytes, as a full disk or a pulled USB stick does.
class FailingWriteEnv : public FileEnv {
 public:
  explicit FailingWriteEnv(std::size_t allow) : allow_(allow) {}
  ssize_t Write(int fd, const void* buf, std::size_t n) override {
    if (allow_ == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t take = std::min(n, allow_);
    allow_ -= take;
    return FileEnv::Write(fd, buf, take);
  }

 private:
  std::size_t allow_;
};

class FailingFsyncEnv : public FileEnv {
 public:
  int Fsync(int) override {
    errno = EIO;
    return -1;
  }
};

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileByteForByte) {
  const auto old_content = Pattern(kImageSize, 200);
  Spit(Path("precious.K470"), old_content);
  ASSERT_TRUE(Open(state_, Path("precious.K470")));
  state_.image.Fill(0, kImageSize, 0x11);

  FailingWriteEnv half_way(300);
  EXPECT_FALSE(Save(state_, nullptr, half_way));
  FailingFsyncEnv no_sync;
  EXPECT_FALSE(Save(state_, nullptr, no_sync));

  EXPECT_EQ(Slurp(Path("precious.K470")), old_content);
  // No temporary file is left behind in the user's folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);

  ASSERT_TRUE(Save(state_, nullptr));
  EXPECT_EQ(Slurp(Path("precious.K470")), std::vector<std::uint8_t>(kImageSize, 0x11));
}

}  // namespace
}  // namespace k470
