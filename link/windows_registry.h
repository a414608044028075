// RegistryView over the Win32 registry functions, read only. `base` (may be
// empty) is put before every path, so a test can lay a tree of its own
// under HKEY_CURRENT_USER and search it like the machine's.
#pragma once

#include <windows.h>

#include "link/registry_port_search.h"

namespace k470 {

class WindowsRegistry : public RegistryView {
 public:
  explicit WindowsRegistry(HKEY root, std::string base = {})
      : root_(root), base_(std::move(base)) {}

  std::vector<std::string> SubkeyNames(const std::string& path) const override;
  std::optional<std::string> StringValue(const std::string& path,
                                         const std::string& name) const override;

 private:
  std::string Full(const std::string& path) const;

  HKEY root_;
  std::string base_;
};

}  // namespace k470
