#include "link/com_port_settings.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace k470 {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("k470_ini_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Ini() const { return (dir_ / kIniFileName).string(); }
  std::string Contents(const fs::path& folder) const {
    std::ifstream in(folder / kIniFileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string ReadFrom(const std::string& contents) const {
    std::ofstream(Ini(), std::ios::binary | std::ios::trunc) << contents;
    return ReadConfiguredPort(dir_.string());
  }

  fs::path dir_;
};

TEST_F(IniFileTest, WrittenLineIsExactAndReadsBack) {
  const std::string folder = (dir_ / "new/K470Configuration").string();
  ASSERT_TRUE(WriteConfiguredPort(folder, "/dev/ttyACM0"));
  EXPECT_EQ(ReadConfiguredPort(folder), "/dev/ttyACM0");
  EXPECT_EQ(Contents(folder), "@ComPort#/dev/ttyACM0\r\n");
  ASSERT_TRUE(WriteConfiguredPort(folder, "COM7"));  // replaces the longer line
  EXPECT_EQ(Contents(folder), "@ComPort#COM7\r\n");  // 15 bytes
  ASSERT_TRUE(WriteConfiguredPort(folder, ""));
  EXPECT_EQ(ReadConfiguredPort(folder), "");
}

TEST_F(IniFileTest, NamesThatWouldNotReadBackAreNotWritten) {
  ASSERT_TRUE(WriteConfiguredPort(dir_.string(), "/dev/ttyUSB1"));
  EXPECT_FALSE(WriteConfiguredPort(dir_.string(), "/dev/tty\r\n#x"));
  EXPECT_FALSE(WriteConfiguredPort(dir_.string(), std::string(24, 'a')));
  EXPECT_EQ(Contents(dir_), "@ComPort#/dev/ttyUSB1\r\n");
  std::ofstream((dir_ / "file").string()) << "x";
  EXPECT_FALSE(WriteConfiguredPort((dir_ / "file").string(), "/dev/ttyACM0"));
}

TEST_F(IniFileTest, DamagedFilesGiveNoPortOrTheNameTheyHold) {
  EXPECT_EQ(ReadConfiguredPort(dir_.string()), "");  // no file
  const struct {
    std::string contents, port;
  } cases[] = {
      {"", ""},
      {"#", ""},
      {"@ComPort#\r\n", ""},
      {"@ComPort/dev/ttyACM0\r\n", ""},
      {"@ComPort#COM12\r\n", "COM12"},
      {"@ComPort#/dev/ttyACM0", "/dev/ttyACM0"},
      {"@ComPort#/dev/ttyAC", "/dev/ttyAC"},
      {"@ComPort#/dev/ttyACM3\n", "/dev/ttyACM3"},
      {"@ComPort#/dev/ttyACM3\r\n@ComPort#x\r\n", "/dev/ttyACM3"},
      {"@ComPort#a#b\r\n", "a#b"},
      {"@ComPort#" + std::string(23, 'p') + "\r\n", std::string(23, 'p')},
      {"@ComPort#" + std::string(24, 'p') + "\r\n", ""},
      {"@ComPort#COM" + std::string(5000, '9') + "\r\n", ""},
      {"@ComPort#/dev/tty\0ACM0\r\n"s, ""},
      {"\x01\xff#\x80\x7f\x02\x00\xfe"s, ""},
      {std::string(2040, 'x') + "#ttyACM0\r\n", "tty"},  // read stops at 2044 bytes
  };
  for (const auto& c : cases) EXPECT_EQ(ReadFrom(c.contents), c.port) << c.contents.size();
}

TEST(ConfigurationFolderTest, FollowsXdgThenHomeThenPasswordEntry) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::optional<std::string> saved_xdg = xdg ? std::optional<std::string>(xdg) : std::nullopt;
  const std::optional<std::string> saved_home =
      home ? std::optional<std::string>(home) : std::nullopt;
  ::setenv("HOME", "/home/op", 1);
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(ConfigurationFolder(), "/cfg/K470Configuration");
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(ConfigurationFolder(), "/home/op/.config/K470Configuration");
  ::unsetenv("XDG_CONFIG_HOME");
  ::unsetenv("HOME");
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && *pw->pw_dir != '\0') {
    EXPECT_EQ(ConfigurationFolder(), std::string(pw->pw_dir) + "/.config/K470Configuration");
  }
  saved_xdg ? ::setenv("XDG_CONFIG_HOME", saved_xdg->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  saved_home ? ::setenv("HOME", saved_home->c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
}  // namespace k470
