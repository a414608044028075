#include "core/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/defaults.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t n) {
  Bytes v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return v;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { fs::create_directories(dir_); }
  ~SettingsFileTest() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  Bytes Slurp(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string Spit(const std::string& name, const Bytes& b) const {
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return Path(name);
  }
  Bytes ImageBytes() const { return {state_.image.span().begin(), state_.image.span().end()}; }

  const std::string dir_ = ::testing::TempDir() + "k470_files_" + std::to_string(::getpid());
  AppState state_;
};

TEST_F(SettingsFileTest, OpenLoadsUpTo640BytesOverTheDefaults) {
  AppState defaults;
  New(defaults);
  for (const std::size_t size : {0, 100, 641}) {
    state_ = AppState{};
    state_.clock_mode = ClockMode::kSkip;
    const std::string path = Spit(std::to_string(size), Pattern(size));
    ASSERT_TRUE(Open(state_, path));
    EXPECT_EQ(state_.settings_path, path);
    EXPECT_EQ(state_.clock_mode, ClockMode::kSyncWithHost);
    for (std::size_t i = 0; i < kImageSize; ++i) {
      EXPECT_EQ(state_.image.Byte(i), i < size ? Pattern(size)[i] : defaults.image.Byte(i))
          << "size " << size << " offset " << i;
    }
  }
  // A missing file or a path over 255 characters changes nothing in the image.
  const SettingsImage before = state_.image;
  EXPECT_FALSE(Open(state_, Path("missing")));
  EXPECT_FALSE(Open(state_, Spit(std::string(256 - Path("").size(), 'a'), Pattern(640))));
  EXPECT_EQ(state_.settings_path, Path("missing"));
  EXPECT_EQ(state_.image, before);

  // Only regular files are settings files: a directory does not load (nor a
  // FIFO, settings_file_posix_test.cc).
  EXPECT_FALSE(Open(state_, dir_));
  EXPECT_EQ(state_.image, before);
}

TEST_F(SettingsFileTest, SaveAsAppendsTheExtensionButNeverCutsAName) {
  const std::string a250(250, 'a'), a251(251, 'a');
  EXPECT_EQ(SettingsFileNameFor("a"), "a.K470");
  EXPECT_EQ(SettingsFileNameFor("a.k470"), "a.k470.K470");  // the check is case-sensitive
  EXPECT_EQ(SettingsFileNameFor("aK470"), "aK470");
  EXPECT_EQ(SettingsFileNameFor(a250), a250 + ".K470");
  EXPECT_EQ(SettingsFileNameFor(a251), std::nullopt);
  EXPECT_EQ(SettingsFileNameFor(a251 + "K470"), a251 + "K470");
  EXPECT_FALSE(SaveAs(state_, Path(std::string(255, 'a'))));
  EXPECT_EQ(state_.settings_path, "");
}

TEST_F(SettingsFileTest, SaveWritesBackAfterOpenAndAsksOnlyWithoutAPath) {
  int asked = 0;
  const auto choose = [&]() -> std::optional<std::string> {
    if (++asked == 1) return std::nullopt;  // the user cancels
    return Path("chosen");
  };
  EXPECT_FALSE(Save(state_, choose));
  ASSERT_TRUE(Save(state_, choose));
  EXPECT_EQ(Slurp("chosen.K470"), ImageBytes());

  ASSERT_TRUE(Open(state_, Spit("mine.K470", Pattern(kImageSize))));
  state_.image.SetByte(5, 0x42);
  ASSERT_TRUE(Save(state_, choose));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Slurp("mine.K470"), ImageBytes());
}

// Fails the write after `allow` bytes, as a full disk or a pulled USB stick does.
class FailingEnv : public FileEnv {
 public:
  explicit FailingEnv(std::size_t allow) : allow_(allow) {}
  ssize_t Write(int fd, const void* buf, std::size_t n) override {
    if (allow_ == 0) return errno = ENOSPC, -1;
    n = std::min(n, allow_);
    allow_ -= n;
    return FileEnv::Write(fd, buf, n);
  }
  std::size_t allow_;
};

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileByteForByte) {
  ASSERT_TRUE(Open(state_, Spit("precious.K470", Pattern(kImageSize))));
  state_.image.Fill(0, kImageSize, 0x11);
  FailingEnv half_way(300);
  errno = 0;
  EXPECT_FALSE(Save(state_, nullptr, half_way));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_EQ(Slurp("precious.K470"), Pattern(kImageSize));
  // No temporary file is left behind in the user's folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
  ASSERT_TRUE(Save(state_, nullptr));
  EXPECT_EQ(Slurp("precious.K470"), ImageBytes());
}

// A write that takes nothing, and a clean-up that leaves an errno of its own.
class StuckEnv : public FileEnv {
 public:
  ssize_t Write(int, const void*, std::size_t) override { return 0; }
  int Unlink(const std::string& path) override {
    FileEnv::Unlink(path);
    errno = EBUSY;
    return -1;
  }
};

TEST_F(SettingsFileTest, EveryFailureLeavesAnErrnoThatSaysWhy) {
  // Nothing here sets errno by itself: each case starts from 0.
  errno = 0;
  EXPECT_FALSE(WriteSettingsFile(state_.image, ""));
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_FALSE(Open(state_, ""));
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_FALSE(Open(state_, Spit(std::string(256 - Path("").size(), 'a'), Pattern(640))));
  EXPECT_EQ(errno, ENAMETOOLONG);
  errno = 0;
  EXPECT_FALSE(SaveAs(state_, Path(std::string(255, 'a'))));
  EXPECT_EQ(errno, ENAMETOOLONG);

  // A write that takes nothing is a full disk; the clean-up after a failure
  // does not replace the failure's errno with its own.
  StuckEnv stuck;
  errno = 0;
  EXPECT_FALSE(WriteSettingsFile(state_.image, Path("stuck.K470"), stuck));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);

  EXPECT_EQ(FileErrorText(ENOSPC), std::strerror(ENOSPC));
  EXPECT_EQ(FileErrorText(kErrnoNotRegularFile), "not a regular file");
  EXPECT_EQ(FileErrorText(0), "unknown error");  // never "Success"
}

}  // namespace
}  // namespace k470
