// Where the .ini file lives on Windows: the user's roaming application data.
#include <shlobj.h>
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "link/com_port_settings.h"

namespace k470 {
namespace {

// "C:\..." or "\\server\...": a relative APPDATA would move with the
// current directory.
bool IsAbsolute(std::string_view path) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      (path[2] == '\\' || path[2] == '/')) {
    return true;
  }
  return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && path[1] == path[0];
}

std::string RoamingAppData() {
  if (const char* env = std::getenv("APPDATA"); env != nullptr && IsAbsolute(env)) return env;
  char folder[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return folder;
  }
  return ".";
}

}  // namespace

std::string ConfigurationFolder() { return RoamingAppData() + "\\" + kConfigurationFolderName; }

}  // namespace k470
