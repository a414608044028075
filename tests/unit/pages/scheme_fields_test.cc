#include "pages/tagfilter/scheme_fields.h"

#include <gtest/gtest.h>

namespace k470 {
namespace {

TEST(SchemeFieldsTest, RangeHintAndPatternLimits) {
  struct Case {
    bool filtering;
    Scheme scheme;
    FilterMethod method;
    std::optional<unsigned> count;
    int partition_offset;
    const char* hint;
    std::optional<int> limit1, limit2;
  };
  using enum FilterMethod;
  const Case cases[] = {
      // Without a Filter Type the GDTI-96 row applies, whatever the type.
      {false, Scheme::kGiai202, kSecondField, {}, 0, "(0~6 digits/characters)", 6, 6},
      {true, Scheme::kSgtin96, kSecondField, {}, 0, "(1~7 digits/characters)", 7, 7},
      {true, Scheme::kSgtin96, kSecondField, 4u, 3, "(1~7 digits/characters)", 4, 4},
      {true, Scheme::kSgtin96, kSecondField, 0u, 0, "(1~7 digits/characters)", 7, 7},
      {true, Scheme::kSgtin96, kSecondField, 40u, 39, "(1~7 digits/characters)", 7, 7},
      {true, Scheme::kAdiVar, kSecondField, {}, 0, "(1~32 digits/characters)", 32, 32},
      {true, Scheme::kDod96, kFirstField, {}, 0, "(0~11 digits/characters)", 6, {}},
      {true, Scheme::kAdiVar, kFirstField, 5u, 4, "(1~32 digits/characters)", 6, {}},
      {true, Scheme::kGid96, kFirstField, {}, 0, "(0~8 digits/characters)", 9, {}},
      {true, Scheme::kGiai202, kFirstField, {}, 3, "(18~24 digits/characters)", 18, {}},
      {true, Scheme::kGiai202, kFirstField, 21u, 3, "(18~24 digits/characters)", 21, {}},
      {true, Scheme::kGiai202, kFirstField, 90u, 72, "(18~24 digits/characters)", 24, {}},
      {true, Scheme::kGiai96, kFirstField, {}, 0, "(13~19 digits/characters)", 12, {}},
      {true, Scheme::kSscc96, kFilterValue, 7u, 2, "(5~11 digits/characters)", {}, {}},
  };
  for (const Case& c : cases) {
    const DigitRange range =
        DigitRangeFor(c.filtering, c.scheme, c.method, c.count, c.partition_offset);
    EXPECT_EQ(range.hint, c.hint) << TagTypeOf(c.scheme).name;
    EXPECT_EQ(range.pattern1_limit, c.limit1) << TagTypeOf(c.scheme).name;
    EXPECT_EQ(range.pattern2_limit, c.limit2) << TagTypeOf(c.scheme).name;
  }
  // No TAG type selected: the GDTI-96 row rather than an index past the table.
  EXPECT_EQ(DigitRangeFor(true, std::nullopt, kSecondField, {}, 0).max_digits, 6);
}

}  // namespace
}  // namespace k470
