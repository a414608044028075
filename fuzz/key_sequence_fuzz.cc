// Any eight bytes describe, under each of the four interfaces, as a text of
// bounded length from the bytes of the field only.
#include "fuzz/fuzz_input.h"
#include "settings/operation/key_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  k470::fuzz::FuzzInput input(data, size);
  const std::size_t field_size = input.Byte() % 2 ? k470::kKeyFieldSize : k470::kPaddingFieldSize;
  const auto bytes = input.Take(k470::kKeyFieldSize);
  for (int i = 0; i < 4; ++i) {
    const auto interface = static_cast<k470::SelectedInterface>(i);
    const k470::KeySequenceDescription d = k470::DescribeKeySequence(bytes, field_size, interface);
    if (d.text.size() > k470::kMaxKeySequenceText) k470::fuzz::Broken("description too long");
    if (d.byte_count > std::min(field_size, bytes.size())) {
      k470::fuzz::Broken("the description read past the field");
    }
  }
  return 0;
}
