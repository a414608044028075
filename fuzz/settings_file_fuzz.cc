// A settings file of any content and length opens without harm: at most 640
// bytes reach the image, the rest stays at the factory defaults.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/defaults.h"
#include "core/settings_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path =
      k470::fuzz::ScratchFolder() + "/k470-fuzz-" + std::to_string(::getpid()) + ".K470";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  k470::AppState state;
  k470::New(state);
  const k470::SettingsImage defaults = state.image;
  if (!k470::Open(state, path)) k470::fuzz::Broken("a readable file did not open");
  for (std::size_t i = 0; i < k470::kImageSize; ++i) {
    const std::uint8_t want = i < size ? data[i] : defaults.Byte(i);
    if (state.image.Byte(i) != want) k470::fuzz::Broken("the image is not the file's prefix");
  }
  return 0;
}
