// Whatever the reader sends to the block requests of a read-back, the image
// changes only when the whole read-back succeeds.
#include "fuzz/fuzz_input.h"
#include "link/progress.h"
#include "link/settings_transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  k470::fuzz::FuzzedLink fuzzed(data, size);
  k470::ReaderLink& link = fuzzed.link;
  k470::VirtualClock& clock = fuzzed.clock;
  k470::SettingsImage image;
  image.Fill(0, k470::kImageSize, 0x5A);
  const k470::SettingsImage before = image;
  k470::NullProgress progress;
  const bool ok = k470::ReadBackImage(link, image, progress);
  if (!ok && image != before) k470::fuzz::Broken("a failed read-back changed the image");
  if (clock.Now() > k470::Millis(3'600'000)) k470::fuzz::Broken("the read-back never ended");
  return 0;
}
