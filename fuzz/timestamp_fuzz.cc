// Any stored timestamp decomposes into list codes inside the lists, and the
// sequence those lists compose decomposes to the same lists again.
#include "core/list_entry.h"
#include "fuzz/fuzz_input.h"
#include "settings/operation/operation_lists.h"
#include "settings/operation/timestamp_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  k470::fuzz::FuzzInput input(data, size);
  const int shown_date = static_cast<int>(input.Byte() % 10) - 1;  // kNoCode to 8
  k470::TimestampSequence stored;
  for (auto& field : stored.fields) field = input.Byte();
  for (auto& separator : stored.separators) separator = input.Byte();

  const k470::TimestampLists lists = k470::DecomposeTimestamp(stored, shown_date);
  const auto in = [](int code, std::span<const k470::ListEntry> list) {
    return k470::ListPositionOfCode(list, code) != k470::kNoCode;
  };
  if (!in(lists.format, k470::kTimestampFormatList) || !in(lists.time, k470::kTimeFormatList) ||
      !in(lists.separator, k470::kFieldSeparatorList) ||
      !(in(lists.date, k470::kDateFormatList) || lists.date == shown_date)) {
    k470::fuzz::Broken("a list code outside its list");
  }
  const k470::TimestampSequence composed = k470::ComposeTimestamp(lists);
  if (!(k470::DecomposeTimestamp(composed, shown_date) == lists)) {
    k470::fuzz::Broken("the composed timestamp reads back as other lists");
  }
  return 0;
}
