// The reader's port as remembered between runs (the one line of
// K470Configuration.ini in the configuration folder) and the texts of the
// line-settings lists that the COM Port Properties dialog carries hidden.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "link/port_discovery.h"

namespace k470 {

inline constexpr char kIniFileName[] = "K470Configuration.ini";
// The .ini file is read no further than this.
inline constexpr std::size_t kIniReadLimit = 2044;
// The line is this key, the port name, then CR LF.
inline constexpr char kIniPortKey[] = "@ComPort#";

inline constexpr char kConfigurationFolderName[] = "K470Configuration";

// Where the .ini file lives, created when first written.
// POSIX: $XDG_CONFIG_HOME/K470Configuration, or ~/.config/K470Configuration
// when that is unset, empty or relative. The home folder is $HOME, else the
// user's entry in the password database, else the current directory.
// Windows: %APPDATA%\K470Configuration; when APPDATA is unset or relative, the
// roaming application-data folder the shell names, else the current directory.
std::string ConfigurationFolder();

// True for a name that can stand on the .ini line and be opened: 1 to 255
// bytes, none of them a control character.
bool IsUsablePortName(std::string_view name);

// Why `name` is not a usable port name, for a message; "" when it is one.
std::string PortNameProblem(std::string_view name);

// The configured port of the .ini file in `folder`: the text after the first
// "#" up to the first CR or LF (or the end of the file), when that is a usable
// port name. "" (no port configured) when the file is missing, empty, has no
// "#" or holds anything else; then `problem` (may be null) says which entry
// was ignored and why, and stays empty when there was nothing to ignore.
// Names are taken as they stand: a "COM7" written on a Windows machine stays
// "COM7" here, its open fails and the user picks a port.
std::string ReadConfiguredPort(const std::string& folder, std::string* problem = nullptr);

// Creates `folder` if needed and replaces the .ini file atomically with
// "@ComPort#" + port + CR LF. An empty port writes the line without a name
// (no port configured). False, with the old file untouched, when the folder or
// file cannot be written or when `port` would not read back as itself.
bool WriteConfiguredPort(const std::string& folder, const std::string& port);

// Texts of the five line-settings lists, in list-index order.
const std::vector<std::string>& BaudRateTexts();     // "115200" ... "600"
const std::vector<std::string>& DataBitsTexts();     // "7", "8"
const std::vector<std::string>& ParityTexts();       // "None", "Even", "Odd"
const std::vector<std::string>& StopBitsTexts();     // "1 Stop Bit", "2 Stop Bits"
const std::vector<std::string>& FlowControlTexts();  // "None", "Hardware", "Xon/Xoff"

}  // namespace k470
