// Whatever the reader answers to "#@SYS_INFO?", the identity query ends
// within its time limit, keeps every text within its bound, and accepts only
// an accepted model code.
#include "fuzz/fuzz_input.h"
#include "link/reader_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  k470::fuzz::FuzzedLink fuzzed(data, size);
  k470::ReaderLink& link = fuzzed.link;
  k470::VirtualClock& clock = fuzzed.clock;
  k470::DeviceInfo info;
  const int result = k470::QueryIdentity(link, info);
  if (clock.Now() > k470::Millis(60'000)) k470::fuzz::Broken("the query outlived its time-outs");
  for (const std::string* text : {&info.device_type, &info.serial_number, &info.kernel_version,
                                  &info.user_version, &info.bt_mac_id}) {
    if (text->size() > k470::kDeviceTextMax) k470::fuzz::Broken("an identity text overflows");
  }
  if (result == k470::kIdentityAccepted && !k470::IsAcceptedModel(info.device_type)) {
    k470::fuzz::Broken("another model was accepted");
  }
  return 0;
}
