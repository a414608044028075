// The texts of the "Failed!" dialog: one column when the port cannot be
// opened, one when the reader does not answer.
#pragma once

#include "link/device_ui.h"

namespace k470 {

FailedLines FailedLinesFor(FailureKind kind);

}  // namespace k470
