// k470sim's --link: it replaces only a symbolic link (one it made on an
// earlier run); a file or a folder at that path is refused and kept, and at
// exit it removes only the links it made, as long as they are still its own.
#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

class K470simLink : public K470ctlWithSim {
 protected:
  // Runs k470sim with `options` to its end (it is expected to refuse at
  // once); returns its exit code, its stderr in err_.
  int SimRefuses(std::vector<std::string> options) {
    options.insert(options.begin(), K470SIM_PATH);
    const pid_t pid = Spawn(options, Path("link.out"), Path("link.err"));
    int status = 0;
    const bool ended = WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
      ::kill(pid, SIGTERM);
      ::waitpid(pid, &status, 0);
    }
    err_ = ReadFile(Path("link.err"));
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(K470simLink, AFileOrAFolderAtTheLinksPathIsRefusedAndKept) {
  WriteFile(Path("site.K470"), Image(1, true));
  EXPECT_NE(SimRefuses({"--link", Path("site.K470")}), 0);
  EXPECT_NE(err_.find("cannot link " + Path("site.K470") + ": it is a file"), std::string::npos)
      << err_;
  EXPECT_NE(err_.find("nothing deleted"), std::string::npos) << err_;
  EXPECT_EQ(ReadFile(Path("site.K470")), Image(1, true));

  fs::create_directory(Path("folder"));
  EXPECT_NE(SimRefuses({"--link", Path("folder")}), 0);
  EXPECT_NE(err_.find("it is a folder"), std::string::npos) << err_;
  EXPECT_TRUE(fs::is_directory(Path("folder")));

  // Of several readers' links none is touched when one place is taken: Z-1
  // stays the old link it is, Z-2 the file.
  fs::create_symlink("/dev/pts/4242", Path("Z-1"));
  WriteFile(Path("Z-2"), "tags");
  EXPECT_NE(SimRefuses({"--count", "2", "--link", Path("Z")}), 0);
  EXPECT_NE(err_.find(Path("Z-2")), std::string::npos) << err_;
  EXPECT_EQ(fs::read_symlink(Path("Z-1")), "/dev/pts/4242");
  EXPECT_EQ(ReadFile(Path("Z-2")), "tags");
}

TEST_F(K470simLink, AnOldLinkIsReplacedAndOnlyItsOwnLinkIsRemovedAtExit) {
  // An old link (a run that was killed left it) is replaced; what it led to stays.
  WriteFile(Path("old-target"), "kept");
  fs::create_symlink(Path("old-target"), reader_);
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  ASSERT_TRUE(WaitFor([&] {
    std::error_code ec;
    return fs::read_symlink(reader_, ec).string().starts_with("/dev/");
  }));
  EXPECT_EQ(Ctl({"battery"}), kOk) << err_;
  StopSim();
  EXPECT_FALSE(fs::exists(fs::symlink_status(reader_)));
  EXPECT_EQ(ReadFile(Path("old-target")), "kept");

  // A file put where the link was while the reader ran is the user's: kept at exit.
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  fs::remove(reader_);
  WriteFile(reader_, "mine");
  StopSim();
  EXPECT_EQ(ReadFile(reader_), "mine");
}

}  // namespace
}  // namespace k470::e2e
