// The checks on the three Output Sequence lists, run when the user picks an
// entry in one of them: every section off, or one section twice, is refused.
#pragma once

#include "core/translatable.h"

#include <array>

namespace k470 {

inline constexpr char kAllDisableMessage[] = K470_TR_NOOP("k470", "All disable is inadmissible!");
inline constexpr char kSameSectionMessage[] =
    K470_TR_NOOP("k470", "The same section can only be used once!");

enum class OutputSequenceVerdict {
  kAccepted,
  // Show kAllDisableMessage, then select select_code (what the list showed
  // before) in the changed list.
  kAllDisabled,
  // Select select_code ("Disable") in the changed list, then show kSameSectionMessage.
  kSectionUsedTwice,
};

struct OutputSequenceCheck {
  OutputSequenceVerdict verdict = OutputSequenceVerdict::kAccepted;
  int select_code = 0;  // what the changed list shows afterwards
};

// `codes` are the codes the three lists show after the user picked an entry
// in list `changed` (0-2); a list without a selection shows kNoCode.
// `shown_before` is what list `changed` showed before the pick. After "all
// disabled" the list goes back to it: the section stored in the image may
// itself be "Disable", and going back there would leave the refused state.
OutputSequenceCheck CheckOutputSequenceChoice(const std::array<int, 3>& codes, int changed,
                                              int shown_before);

}  // namespace k470
