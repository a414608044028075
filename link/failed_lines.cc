#include "link/failed_lines.h"
#include "core/translatable.h"

namespace k470 {

FailedLines FailedLinesFor(FailureKind kind) {
  const std::string com_setting = K470_TR_NOOP(
      "k470", "    【COM Setting】Please check the port number and press OK to try again");
  if (kind == FailureKind::kPortCannotBeOpened) {
    return {K470_TR_NOOP("k470", "Opening COM Port failed! Do you want to retry?"),
            K470_TR_NOOP("k470", "    【Retry】Please check the COM port and press Retry"),
            com_setting, K470_TR_NOOP("k470", "    【Cancel】to abort COM Port opening"), ""};
  }
  return {K470_TR_NOOP("k470", "Connecting to device failed! Retry this connection?"),
          K470_TR_NOOP(
              "k470", "    【Retry】Please press K470 trigger key to wake up K470 and press Retry"),
          com_setting, K470_TR_NOOP("k470", "    【Cancel】to abort connection"), ""};
}

}  // namespace k470
