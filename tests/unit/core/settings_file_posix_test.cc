// Settings files on POSIX file systems, which have FIFOs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace
}  // namespace k470
