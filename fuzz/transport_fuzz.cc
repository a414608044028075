// The fuzzer plays the reader for a whole operation: identity, read-back,
// download or upload. Each ends within its time-outs, keeps its bounds and
// reports a failure as a failure.
#include "core/checksum.h"
#include "fuzz/fuzz_input.h"
#include "link/memory_upload.h"
#include "link/progress.h"
#include "link/reader_protocol.h"
#include "link/settings_transfer.h"

namespace {

// The upload's file, kept in memory.
class MemorySink : public k470::ByteSink {
 public:
  bool Append(std::span<const std::uint8_t> bytes) override {
    size += bytes.size();
    return true;
  }
  std::size_t size = 0;
};

constexpr k470::Millis kHour(3'600'000);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using k470::fuzz::Broken;
  k470::fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  k470::VirtualClock clock;
  k470::fuzz::StreamPort port(input, clock, choice & 0x10);
  port.Open("fuzz", {});
  k470::ReaderLink link(port, clock);
  k470::NullProgress progress;
  k470::SettingsImage image;
  image.Fill(0, k470::kImageSize, 0xA5);

  switch (choice % 4) {
    case 0: {
      k470::DeviceInfo info;
      if (k470::QueryIdentity(link, info) == k470::kIdentityAccepted &&
          !k470::IsAcceptedModel(info.device_type)) {
        Broken("another model was accepted");
      }
      break;
    }
    case 1: {
      const k470::SettingsImage before = image;
      if (!k470::ReadBackImage(link, image, progress) && image != before) {
        Broken("a failed read-back changed the image");
      }
      break;
    }
    case 2: {
      const k470::SettingsImage before = image;
      k470::SettingsImage with_checksum = image;
      k470::StoreChecksumPair(with_checksum);
      // The download sends the image; it never takes bytes from the reader into
      // it, and only one that ends well leaves the checksum pair in it.
      if (k470::DownloadImage(link, image, progress)) {
        if (image != with_checksum) Broken("a download changed the image beyond its checksum");
      } else if (image != before) {
        Broken("a failed download changed the image");
      }
      break;
    }
    case 3: {
      MemorySink sink;
      const k470::UploadResult result = k470::UploadMemorizedData(port, clock, sink, progress);
      if (result.bytes_written != sink.size) Broken("the upload miscounted what it stored");
      if (sink.size > k470::kMaxUploadSize) Broken("the upload outgrew its bound");
      if (result.ok && port.written() == 0) Broken("an upload succeeded without a command");
      break;
    }
  }
  if (clock.Now() > kHour) Broken("the operation outlived its time-outs");
  return 0;
}
