// The upload's file behind a symbolic link, which POSIX users make freely.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/memory_upload.h"

namespace k470 {
namespace {

TEST(FileByteSinkPosixTest, ACompleteUploadReplacesTheLinksTargetAndKeepsTheLink) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("k470_link_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "tags.txt") << "old tags";
  fs::create_symlink(dir / "tags.txt", dir / "link.txt");
  FileByteSink sink;
  ASSERT_TRUE(sink.Create((dir / "link.txt").string()));
  const std::string data = "new tags";
  ASSERT_TRUE(sink.Append({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}));
  EXPECT_TRUE(sink.Finish(true));
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  std::ifstream in(dir / "tags.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), data);
  fs::remove_all(dir);
}

// A write that takes nothing: the disk is full.
class FullDiskEnv : public FileEnv {
 public:
  ssize_t Write(int, const void*, std::size_t) override { return 0; }
};

TEST(FileByteSinkPosixTest, AFailedWriteKeepsItsErrno) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("k470_full_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  FullDiskEnv env;
  FileByteSink sink(env);
  ASSERT_TRUE(sink.Create((dir / "tags.txt").string()));
  const std::string data = "tags";
  EXPECT_FALSE(sink.Append({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}));
  EXPECT_FALSE(sink.Finish(false));
  EXPECT_TRUE(sink.write_failed());
  EXPECT_EQ(sink.error(), ENOSPC);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace k470
