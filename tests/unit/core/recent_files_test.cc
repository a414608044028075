// Order, the cap of eight and keeping the list between runs are the main
// window test's; here, what a line of the kept file can and cannot hold.
#include "core/recent_files.h"

#include <gtest/gtest.h>

namespace k470 {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFilesTest, OnlyPathsALineCanHoldAreKeptAndReadBack) {
  RecentFiles files;
  files.Add("/f/a.K470");
  files.Add("/f/bad\nname.K470");
  files.Add("");
  files.Add("C:\\b c.K470");
  EXPECT_EQ(files.paths(), (Paths{"C:\\b c.K470", "/f/a.K470"}));
  EXPECT_EQ(RecentFiles::Parse(files.Serialize()).paths(), files.paths());
  // A file edited by hand or cut short: what cannot be a path is skipped,
  // a path given twice kept once, the rest kept in order.
  const auto parsed = RecentFiles::Parse("C:\\a.K470\r\n\n/b K470\n/tab\there\n/b K470\n/c");
  EXPECT_EQ(parsed.paths(), (Paths{"C:\\a.K470", "/b K470", "/c"}));
}

}  // namespace
}  // namespace k470
