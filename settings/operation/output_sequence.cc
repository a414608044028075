#include "settings/operation/output_sequence.h"

#include "settings/operation/operation_lists.h"

namespace k470 {

OutputSequenceCheck CheckOutputSequenceChoice(const std::array<int, 3>& codes, int changed,
                                              int shown_before) {
  if (changed < 0 || changed > 2) return {OutputSequenceVerdict::kAccepted, kNoCode};
  const int a = codes[changed];
  const int b = codes[(changed + 1) % 3];
  const int c = codes[(changed + 2) % 3];
  if (a == 0 && b == 0 && c == 0) return {OutputSequenceVerdict::kAllDisabled, shown_before};
  if (a != 0 && (a == b || a == c)) return {OutputSequenceVerdict::kSectionUsedTwice, 0};
  return {OutputSequenceVerdict::kAccepted, a};
}

}  // namespace k470
