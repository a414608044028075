// The Windows side of finding, naming and opening the reader's port: the
// registry search over a real registry tree, port names as users type them,
// devices that are no serial port, and the configuration folder. The serial
// line itself is exercised by scripts/test-windows against k470sim.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/com_port_settings.h"
#include "link/windows_registry.h"
#include "link/windows_serial_port.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;
using Ports = std::vector<std::string>;

// A private tree under HKEY_CURRENT_USER that looks like the machine's USB
// enumeration, removed again at the end.
class RegistryTreeTest : public ::testing::Test {
 protected:
  ~RegistryTreeTest() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str()); }

  void SetValue(const std::string& key, const char* name, const std::string& text) {
    HKEY handle = nullptr;
    const std::string path = base_ + "\\" + kUsbEnumerationKey + "\\" + key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &handle, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(handle);
  }

  const std::string base_ =
      "Software\\K470ConfigurationTest" + std::to_string(::GetCurrentProcessId());
};

TEST_F(RegistryTreeTest, TheSearchReadsPortNamesAndFriendlyNamesFromTheRegistry) {
  const WindowsRegistry registry(HKEY_CURRENT_USER, base_);
  EXPECT_EQ(FindReaderPortsInRegistry(registry, "1FC9"), Ports{}) << "no tree yet";
  SetValue("VID_1FC9&PID_0001\\6&1A2B&0&1\\Device Parameters", "PortName", "COM5");
  SetValue("VID_1FC9&PID_0001\\6&1A2B&0&2", "FriendlyName", "K470 Serial (COM17)");
  SetValue("VID_0403&PID_6001\\A1\\Device Parameters", "PortName", "COM3");
  // A long instance name (wine refuses key names of 200 characters, which
  // Windows allows).
  SetValue("VID_1FC9&PID_0001&MI_00\\" + std::string(120, 'x') + "\\Device Parameters", "PortName",
           "COM8");
  Ports found = FindReaderPortsInRegistry(registry, "1FC9");
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (Ports{"COM17", "COM5", "COM8"}));
}

TEST(WindowsSerialPortTest, PortNamesOpenInTheDeviceNamespace) {
  EXPECT_EQ(WindowsDeviceName("COM7"), "\\\\.\\COM7");
  EXPECT_EQ(WindowsDeviceName("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(WindowsDeviceName("\\\\.\\COM3"), "\\\\.\\COM3");
  EXPECT_EQ(WindowsDeviceName("\\\\?\\usb#vid_1fc9"), "\\\\?\\usb#vid_1fc9");
}

TEST(WindowsSerialPortTest, OnlySerialDevicesAreOpenedAndNothingIsWrittenToTheRest) {
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("k470_notports_" + std::to_string(::GetCurrentProcessId()));
  fs::create_directories(dir);
  const fs::path victim = dir / "victim.K470";
  std::ofstream(victim) << "settings that must stay";
  WindowsSerialPort port;
  const std::pair<std::string, const char*> cases[] = {
      {"COM250", "COM250: "},  // no such port
      {victim.string(), "not a serial port"},
      {"NUL", "not a serial port"},
  };
  for (const auto& [name, why] : cases) {
    EXPECT_FALSE(port.Open(name, LineSettings{})) << name;
    EXPECT_EQ(port.last_open_failure(), OpenFailure::kCannotOpen) << name;
    EXPECT_NE(port.last_error().find(why), std::string::npos) << port.last_error();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(PortCanBeOpened(name)) << name;
  }
  {
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "settings that must stay");
  }
  fs::remove_all(dir);
}

TEST(ConfigurationFolderTest, IsK470ConfigurationInTheRoamingApplicationData) {
  const std::string saved = std::getenv("APPDATA") != nullptr ? std::getenv("APPDATA") : "";
  ::_putenv_s("APPDATA", "D:\\Profiles\\op\\AppData\\Roaming");
  EXPECT_EQ(ConfigurationFolder(), "D:\\Profiles\\op\\AppData\\Roaming\\K470Configuration");
  // A relative APPDATA would follow the current directory: the shell's folder instead.
  ::_putenv_s("APPDATA", "Roaming");
  const std::string fallback = ConfigurationFolder();
  EXPECT_TRUE(fs::path(fallback).is_absolute()) << fallback;
  EXPECT_EQ(fs::path(fallback).filename(), "K470Configuration");
  ::_putenv_s("APPDATA", saved.c_str());
}

}  // namespace
}  // namespace k470
