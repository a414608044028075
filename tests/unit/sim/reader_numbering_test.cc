// The readers of one k470sim --count run must tell themselves apart the way
// a batch from the factory does.
#include "sim/reader_numbering.h"

#include <gtest/gtest.h>

namespace k470::sim {
namespace {

TEST(ReaderNumbering, SerialNumbersAndMacIdsCountOnInTheirOwnShape) {
  EXPECT_EQ(NthSerialNumber("K471-000123", 1), "K471-000123");
  EXPECT_EQ(NthSerialNumber("K471-000199", 3), "K471-000201");
  EXPECT_EQ(NthSerialNumber("SN-99", 2), "SN-100");  // grows rather than wraps into a twin
  EXPECT_EQ(NthSerialNumber("ABC", 1), "ABC");
  EXPECT_EQ(NthSerialNumber("ABC", 2), "ABC-2");

  EXPECT_EQ(NthBtMacId("00:1B:DC:0F:47:10", 2), "00:1B:DC:0F:47:11");
  EXPECT_EQ(NthBtMacId("00:1b:dc:0f:47:ff", 2),
            "00:1B:DC:0F:48:00");  // carries into the next octet
  EXPECT_EQ(NthBtMacId("FF:FF:FF:FF:FF:FF", 2), "00:00:00:00:00:00");
  EXPECT_EQ(NthBtMacId("none", 3), "none-3");

  EXPECT_EQ(NthPath("/tmp/r", 1, 1), "/tmp/r");
  EXPECT_EQ(NthPath("/tmp/r", 1, 4), "/tmp/r-1");
  EXPECT_EQ(NthPath("", 2, 4), "");
}

}  // namespace
}  // namespace k470::sim
