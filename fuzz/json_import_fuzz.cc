// Any JSON either imports or is refused with a SettingError, and what it
// imports exports and imports again to the same image.
#include "fuzz/fuzz_input.h"
#include "pages/named/settings_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string why;
  const std::optional<k470::Json> in =
      k470::ParseSettingsJson({reinterpret_cast<const char*>(data), size}, why);
  if (!in) return 0;
  k470::SettingsImage image;
  try {
    image = k470::ImportSettings(*in);
  } catch (const k470::SettingError&) {
    return 0;
  }
  if (!(k470::ImportSettings(k470::ShowSettings(image)) == image)) {
    k470::fuzz::Broken("an imported image does not round-trip");
  }
  return 0;
}
