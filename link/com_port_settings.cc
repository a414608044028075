#include "link/com_port_settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/file_env.h"

namespace k470 {
namespace {

std::string IniPath(const std::string& folder) {
  if (folder.empty()) return kIniFileName;
  // Joined with the platform's separator; a folder that ends in one keeps it.
  return (std::filesystem::path(folder) / kIniFileName).string();
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string PortNameProblem(std::string_view name) {
  if (name.empty()) return "the port name is empty";
  if (name.size() > kMaxPortNameLength) {
    return "the port name is " + std::to_string(name.size()) + " bytes long, more than " +
           std::to_string(kMaxPortNameLength);
  }
  const auto control = std::find_if(
      name.begin(), name.end(), [](char c) { return IsControl(static_cast<unsigned char>(c)); });
  if (control != name.end()) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(*control));
    return std::string("the port name holds the control character ") + code;
  }
  return {};
}

bool IsUsablePortName(std::string_view name) { return PortNameProblem(name).empty(); }

std::string ReadConfiguredPort(const std::string& folder, std::string* problem) {
  if (problem != nullptr) problem->clear();
  std::vector<std::uint8_t> bytes;
  const std::string path = IniPath(folder);
  if (!ReadFilePrefix(FileEnv::Default(), path, kIniReadLimit, bytes)) return {};
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.empty()) return {};
  const std::size_t hash = text.find('#');
  if (hash == std::string_view::npos) {
    if (problem != nullptr)
      *problem = "ignored " + path + ": it holds no \"" + kIniPortKey + "\" line";
    return {};
  }
  std::string_view name = text.substr(hash + 1);
  name = name.substr(0, name.find_first_of("\r\n"));
  if (name.empty()) return {};  // written so: no port configured
  if (std::string why = PortNameProblem(name); !why.empty()) {
    if (problem != nullptr) *problem = "ignored the port entry of " + path + ": " + why;
    return {};
  }
  return std::string(name);
}

bool WriteConfiguredPort(const std::string& folder, const std::string& port) {
  if (!port.empty() && !IsUsablePortName(port)) return false;
  if (!folder.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return false;
  }
  const std::string line = kIniPortKey + port + "\r\n";
  const auto* data = reinterpret_cast<const std::uint8_t*>(line.data());
  return WriteFileAtomically(FileEnv::Default(), IniPath(folder), {data, line.size()});
}

const std::vector<std::string>& BaudRateTexts() {
  static const std::vector<std::string> texts{"115200", "57600", "38400", "19200", "9600",
                                              "4800",   "2400",  "1200",  "600"};
  return texts;
}

const std::vector<std::string>& DataBitsTexts() {
  static const std::vector<std::string> texts{"7", "8"};
  return texts;
}

const std::vector<std::string>& ParityTexts() {
  static const std::vector<std::string> texts{"None", "Even", "Odd"};
  return texts;
}

const std::vector<std::string>& StopBitsTexts() {
  static const std::vector<std::string> texts{"1 Stop Bit", "2 Stop Bits"};
  return texts;
}

const std::vector<std::string>& FlowControlTexts() {
  static const std::vector<std::string> texts{"None", "Hardware", "Xon/Xoff"};
  return texts;
}

}  // namespace k470
