// The reader's port as remembered in the .ini file, on every platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/com_port_settings.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() { fs::create_directories(root_); }
  ~IniFileTest() override { fs::remove_all(root_); }

  const fs::path root_ =
      fs::path(::testing::TempDir()) / ("k470_ini_" + std::to_string(::getpid()));
};

TEST_F(IniFileTest, PortLineRoundTripsAndUnreadableNamesAreRefused) {
  const std::string folder = (root_ / "new/K470Configuration").string();
  // A by-id path of 200 characters, as long names come.
  const std::string by_id = "/dev/serial/by-id/usb-" + std::string(200 - 27, 'K') + "-if00";
  ASSERT_EQ(by_id.size(), 200u);
  ASSERT_TRUE(WriteConfiguredPort(folder, by_id));
  EXPECT_EQ(ReadConfiguredPort(folder), by_id);
  ASSERT_TRUE(WriteConfiguredPort(folder, "COM7"));  // replaces the longer line
  EXPECT_FALSE(WriteConfiguredPort(folder, "/dev/tty\r\n#x"));
  EXPECT_FALSE(WriteConfiguredPort(folder, std::string(256, 'a')));
  EXPECT_TRUE(WriteConfiguredPort(folder, "/" + std::string(254, 'a')));
  ASSERT_TRUE(WriteConfiguredPort(folder, "COM7"));
  {
    // Closed again before the next write: Windows refuses to replace a file
    // that is open.
    std::ifstream in(fs::path(folder) / kIniFileName, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "@ComPort#COM7\r\n");
  }
  EXPECT_EQ(ReadConfiguredPort(folder), "COM7");
  ASSERT_TRUE(WriteConfiguredPort(folder, ""));
  std::string problem = "stale";
  EXPECT_EQ(ReadConfiguredPort(folder, &problem), "");
  EXPECT_EQ(problem, "") << "no port configured is no problem";
}

TEST_F(IniFileTest, DamagedFilesGiveNoPortOrTheNameTheyHoldAndSayWhy) {
  std::string problem;
  EXPECT_EQ(ReadConfiguredPort(root_.string(), &problem), "");  // no file
  EXPECT_EQ(problem, "");
  const struct {
    std::string contents, port, problem;
  } cases[] = {
      {"", "", ""},
      {"@ComPort/dev/ttyACM0\r\n", "", "it holds no \"@ComPort#\" line"},
      {"@ComPort#/dev/ttyAC", "/dev/ttyAC", ""},
      {"@ComPort#/dev/ttyACM3\n@ComPort#x\r\n", "/dev/ttyACM3", ""},
      {"@ComPort#a#b\r\n", "a#b", ""},
      {"@ComPort#" + std::string(256, 'p') + "\r\n", "", "256 bytes long, more than 255"},
      {"@ComPort#/dev/tty\0ACM0\r\n"s, "", "the control character 0x00"},
      {"@ComPort#/dev/tty\tACM0\r\n"s, "", "the control character 0x09"},
      {std::string(2040, 'x') + "#ttyACM0\r\n", "tty", ""},  // read stops at 2044 bytes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents.substr(0, 40));
    std::ofstream(root_ / kIniFileName, std::ios::binary) << c.contents;
    EXPECT_EQ(ReadConfiguredPort(root_.string(), &problem), c.port);
    if (c.problem.empty()) {
      EXPECT_EQ(problem, "");
    } else {
      EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
      EXPECT_NE(problem.find(kIniFileName), std::string::npos) << "names the file: " << problem;
    }
  }
}

}  // namespace
}  // namespace k470
