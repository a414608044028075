// Where the .ini file lives on POSIX systems: the XDG configuration folder.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "link/com_port_settings.h"

namespace k470 {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  if (size <= 0) size = 16384;
  std::vector<char> buffer(static_cast<std::size_t>(size));
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr && *found->pw_dir != '\0') {
    return found->pw_dir;
  }
  return ".";
}

}  // namespace

std::string ConfigurationFolder() {
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    return std::string(xdg) + "/" + kConfigurationFolderName;
  }
  return HomeFolder() + "/.config/" + kConfigurationFolderName;
}

}  // namespace k470
