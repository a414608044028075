// A reader's port that cannot be opened again (upload, PIN code) is named
// when the port itself gives no cause, never left as "()".
#include "cli/reader_outcome.h"

#include <gtest/gtest.h>

namespace k470::cli {
namespace {

TEST(ReaderOutcomeTest, APortThatCannotBeOpenedAgainSaysWhyElseNamesThePort) {
  EXPECT_EQ(
      ReaderOutcome::PortNotOpened("/dev/ttyACM0", "/dev/ttyACM0: in use by another program").text,
      "Can't open the COM port! (/dev/ttyACM0: in use by another program)");
  const ReaderOutcome unexplained = ReaderOutcome::PortNotOpened("/dev/ttyACM0", "");
  EXPECT_EQ(unexplained.text, "Can't open the COM port! (/dev/ttyACM0)");
  EXPECT_EQ(unexplained.result, "failed");
  EXPECT_EQ(unexplained.code, kExitPort);
}

}  // namespace
}  // namespace k470::cli
