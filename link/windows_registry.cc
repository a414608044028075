#include "link/windows_registry.h"

namespace k470 {

std::string WindowsRegistry::Full(const std::string& path) const {
  if (base_.empty()) return path;
  if (path.empty()) return base_;
  return base_ + "\\" + path;
}

std::vector<std::string> WindowsRegistry::SubkeyNames(const std::string& path) const {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root_, Full(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  DWORD longest = 0;
  if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    std::string name(longest + 1, '\0');
    // A key added while we enumerate only shows up, or not; the index loop
    // ends at the first index the registry no longer has.
    for (DWORD index = 0;;) {
      DWORD size = static_cast<DWORD>(name.size());
      const LONG result =
          ::RegEnumKeyExA(key, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_MORE_DATA) {  // a longer name came in meanwhile
        name.resize(name.size() * 2);
        continue;
      }
      if (result != ERROR_SUCCESS) break;
      names.emplace_back(name.data(), size);
      ++index;
    }
  }
  ::RegCloseKey(key);
  return names;
}

std::optional<std::string> WindowsRegistry::StringValue(const std::string& path,
                                                        const std::string& name) const {
  const std::string full = Full(path);
  DWORD size = 0;
  constexpr DWORD kText = RRF_RT_REG_SZ;
  if (::RegGetValueA(root_, full.c_str(), name.c_str(), kText, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string text(size, '\0');
  if (::RegGetValueA(root_, full.c_str(), name.c_str(), kText, nullptr, text.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  // The size counts the terminating NUL that RegGetValueA guarantees.
  text.resize(size > 0 ? size - 1 : 0);
  return text;
}

}  // namespace k470
