#include "core/recent_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace k470 {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFilesTest, NewestFirstEachOnceAtMostEight) {
  RecentFiles files;
  for (int i = 1; i <= 9; ++i) files.Add("/f/" + std::to_string(i) + ".K470");
  files.Add("/f/5.K470");          // moves up, not twice
  files.Add("/f/bad\nname.K470");  // a line cannot hold it
  files.Add("");
  EXPECT_EQ(files.paths(), (Paths{"/f/5.K470", "/f/9.K470", "/f/8.K470", "/f/7.K470", "/f/6.K470",
                                  "/f/4.K470", "/f/3.K470", "/f/2.K470"}));
  files.Remove("/f/9.K470");
  files.Remove("/f/none.K470");
  EXPECT_EQ(files.paths().size(), 7u);
  EXPECT_EQ(RecentFiles::Parse(files.Serialize()).paths(), files.paths());
}

// The file may have been edited by hand or cut short: what cannot be a path is
// skipped, the rest kept in order.
TEST(RecentFilesTest, ParseKeepsWhatCanBeAPath) {
  const auto parsed = RecentFiles::Parse("C:\\a.K470\r\n\n/b K470\n/tab\there\n/b K470\n/c");
  EXPECT_EQ(parsed.paths(), (Paths{"C:\\a.K470", "/b K470", "/c"}));
  std::string many;
  for (int i = 0; i < 20; ++i) many += "/" + std::to_string(i) + "\n";
  EXPECT_EQ(RecentFiles::Parse(many).paths().size(), kMaxRecentFiles);
}

TEST(RecentFilesTest, KeptInAFileOfItsOwnInTheConfigurationFolder) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("k470_recent_" + std::to_string(getpid()));
  fs::remove_all(dir);
  const std::string folder = (dir / "K470Configuration").string();
  EXPECT_TRUE(ReadRecentFiles(folder).paths().empty());  // no file yet
  RecentFiles files;
  files.Add("/x/site.K470");
  files.Add("/x/lab.K470");
  ASSERT_TRUE(WriteRecentFiles(folder, files));  // the folder is made
  EXPECT_EQ(ReadRecentFiles(folder).paths(), (Paths{"/x/lab.K470", "/x/site.K470"}));
  EXPECT_FALSE(fs::exists(dir / "K470Configuration" / "K470Configuration.ini"));

  std::ofstream(dir / "file") << "x";  // a folder that cannot be made
  EXPECT_FALSE(WriteRecentFiles((dir / "file" / "sub").string(), files));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace k470
