#include "link/failed_lines.h"

namespace k470 {

FailedLines FailedLinesFor(FailureKind kind) {
  const std::string com_setting =
      "    【COM Setting】Please check the port number and press OK to try again";
  if (kind == FailureKind::kPortCannotBeOpened) {
    return {"Opening COM Port failed! Do you want to retry?",
            "    【Retry】Please check the COM port and press Retry", com_setting,
            "    【Cancel】to abort COM Port opening", ""};
  }
  return {"Connecting to device failed! Retry this connection?",
          "    【Retry】Please press K470 trigger key to wake up K470 and press Retry", com_setting,
          "    【Cancel】to abort connection", ""};
}

}  // namespace k470
