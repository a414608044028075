// What a numeric edit shows instead of a number outside its range.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "core/numeric_correction.h"

namespace k470 {
namespace {

TEST(NumericCorrectionTest, OutOfRangeAndEmptyAreReplacedInRangeTextsStay) {
  const struct {
    const char* text;
    int min, max;
    std::optional<std::string> shown;
  } cases[] = {
      {"300", 0, 254, "254"},       {"", 0, 254, "0"},   {"", 1, 254, "1"},
      {"0", 1, 254, "1"},           {"254", 0, 254, {}}, {"007", 1, 254, {}},
      {"99999999999", 0, 59, "59"},  // beyond int: still "above the maximum"
      {"2099", 2000, 2099, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CorrectToRange(c.text, c.min, c.max), c.shown) << '"' << c.text << '"';
  }
  EXPECT_EQ(NumericValue("99999999999"), INT_MAX);
}

}  // namespace
}  // namespace k470
