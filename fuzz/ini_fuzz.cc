// Any K470Configuration.ini gives either no port or a usable port name.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_input.h"
#include "link/com_port_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    const std::string f =
        k470::fuzz::ScratchFolder() + "/k470-fuzz-ini-" + std::to_string(::getpid());
    std::filesystem::create_directories(f);
    return f;
  }();
  std::FILE* f = std::fopen((folder + "/K470Configuration.ini").c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  std::string problem;
  const std::string port = k470::ReadConfiguredPort(folder, &problem);
  if (!port.empty() && !k470::IsUsablePortName(port)) {
    k470::fuzz::Broken("an unusable port name was taken");
  }
  if (!port.empty() && !problem.empty()) k470::fuzz::Broken("a port with a problem was taken");
  return 0;
}
