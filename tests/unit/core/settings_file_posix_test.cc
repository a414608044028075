// Settings files on POSIX file systems, which have FIFOs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/settings_file.h"

namespace k470 {
namespace {

TEST(SettingsFilePosixTest, AFifoNobodyWritesToIsNoSettingsFileAndDoesNotHang) {
  const std::string dir = ::testing::TempDir() + "k470_fifo_" + std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  const std::string fifo = dir + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  AppState state;
  const SettingsImage before = state.image;
  ::alarm(10);  // ends a hanging test
  EXPECT_FALSE(Open(state, fifo));
  ::alarm(0);
  EXPECT_EQ(state.image, before);
  std::filesystem::remove_all(dir);
}

TEST(SettingsFilePosixTest, WhatIsNoRegularFileIsRefusedWithAnErrnoThatSaysSo) {
  const std::string dir = ::testing::TempDir() + "k470_kinds_" + std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  const std::string fifo = dir + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  AppState state;
  ::alarm(10);  // ends a hanging test
  for (const std::string& path : {dir, fifo, std::string("/dev/full"), std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    const int expected = path == dir ? EISDIR : kErrnoNotRegularFile;
    errno = 0;
    EXPECT_FALSE(Open(state, path));
    EXPECT_EQ(errno, expected);
    errno = 0;
    EXPECT_FALSE(WriteSettingsFile(state.image, path));
    EXPECT_EQ(errno, expected);
  }
  ::alarm(0);
  struct stat st {};
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode)) << "the device is still a device";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "nothing was left";
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace k470
