// Any JSON either imports or is refused with a reason, and what it
// imports exports and imports again to the same image.
#include "fuzz/fuzz_input.h"
#include "settings/named/settings_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string why;
  const std::optional<k470::Json> in =
      k470::ParseSettingsJson({reinterpret_cast<const char*>(data), size}, why);
  if (!in) return 0;
  const std::optional<k470::SettingsImage> image = k470::ImportSettings(*in).image;
  if (!image) return 0;
  if (k470::ImportSettings(k470::ShowSettings(*image)).image != image) {
    k470::fuzz::Broken("an imported image does not round-trip");
  }
  return 0;
}
