// The checks on the three Output Sequence lists, run when the user picks an
// entry in one of them: every section off, or one section twice, is refused.
#pragma once

#include <array>

#include "core/settings_image.h"

namespace k470 {

inline constexpr char kAllDisableMessage[] = "All disable is inadmissible!";
inline constexpr char kSameSectionMessage[] = "The same section can only be used once!";

enum class OutputSequenceVerdict {
  kAccepted,
  // Show kAllDisableMessage, then select select_code in the changed list.
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
// After "all disabled" the list goes back to the code the image holds for its
// section, which may be one the list has no entry for.
OutputSequenceCheck CheckOutputSequenceChoice(const std::array<int, 3>& codes, int changed,
                                              const SettingsImage& image);

}  // namespace k470
