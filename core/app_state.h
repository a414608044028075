// The one application-state object: the settings image and the program-wide
// values that live beside it for the whole run. Created once by each program
// and passed by reference; none of it is stored in a settings file.
#pragma once

#include <string>
#include <vector>

#include "core/settings_image.h"

namespace k470 {

// Host interface as the System page shows it. 0 and 2 are serial, 1 and 3 keyboards.
enum class SelectedInterface { kBluetoothSpp = 0, kBluetoothHid = 1, kM912Vcom = 2, kM912Hid = 3 };

// Pending scan mode codes as byte 80 stores them.
inline constexpr int kScanModeSingleTag = 6;
inline constexpr int kScanModeTest = 7;
inline constexpr int kScanModeMultiTag = 9;

enum class ClockMode { kSkip = 0, kSyncWithHost = 1, kSetTimeAndDate = 2 };

// The record that closes every port list; it stands for "no port".
inline constexpr char kNoPortRecord[] = "-Select-";

// List indexes of the five line settings (baud, data bits, parity, stop bits,
// flow control); the defaults give 115200 8N1 without flow control.
struct LineSettings {
  int baud_index = 0;
  int data_bits_index = 1;
  int parity_index = 0;
  int stop_bits_index = 0;
  int flow_control_index = 0;
  friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// The five identity texts of the last reader that answered; "NA" until then.
struct DeviceInfo {
  std::string device_type = "NA";
  std::string serial_number = "NA";
  std::string kernel_version = "NA";
  std::string user_version = "NA";
  std::string bt_mac_id = "NA";
};

// Which of the reader's settings a read or download means.
enum class ReadSettingsType { kCurrent = 0, kUserDefined = 1 };
enum class DownloadSettingsType { kCurrent = 0, kUserDefined = 1, kBoth = 2 };

inline constexpr std::size_t kMaxSettingsPathLength = 255;

struct AppState {
  SettingsImage image;

  // Path of the settings file last opened or saved; empty when there is none.
  std::string settings_path;

  SelectedInterface selected_interface = SelectedInterface::kBluetoothSpp;
  int operation_mode = 0;  // the Operation page's hidden "Operation Mode :" list
  int pending_scan_mode = kScanModeSingleTag;
  bool beeper_on = false;
  ClockMode clock_mode = ClockMode::kSkip;

  // Reader link values, kept for the run only (the port name also in the .ini file).
  std::string configured_port;  // empty: none configured
  std::string port_in_use;
  LineSettings line_settings;
  ReadSettingsType read_settings_type = ReadSettingsType::kCurrent;
  DownloadSettingsType download_settings_type = DownloadSettingsType::kCurrent;
  std::vector<std::string> port_list{kNoPortRecord};
  DeviceInfo device_info;
  bool reader_present = false;
};

}  // namespace k470
