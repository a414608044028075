#include "pages/tagfilter/filter_values.h"

#include <gtest/gtest.h>

#include "pages/tagfilter/tag_types.h"

namespace k470 {
namespace {

TEST(FilterValuesTest, ListSizesAndTheirDistinctEntries) {
  struct Case {
    std::uint8_t header;
    std::size_t size;
    int index;
    const char* text;
  };
  const Case cases[] = {
      {0x39, 8, 7, "[7] Reserved"},
      {0x36, 8, 6, "[6] Unit Load"},
      {0x31, 8, 1, "[1] Reserved"},
      {0x2F, 16, 15, "[15] Reserved"},
      {0x3B, 64, 23, "[23] Other repair (exclude component); e.g., structure item repair"},
      {0x3B, 64, 24, "[24] Reserved"},
      {0x3B, 64, 63, "[63] Reserved"},
  };
  for (const Case& c : cases) {
    const auto entries = FilterValueEntries(c.header);
    ASSERT_EQ(entries.size(), c.size) << int{c.header};
    EXPECT_EQ(entries[static_cast<std::size_t>(c.index)].text, c.text);
  }
}

TEST(FilterValuesTest, EveryEntryCarriesItsIndexAndGidHasOnlyNotApplicable) {
  for (const TagType& type : kTagTypes) {
    const auto entries = FilterValueEntries(type.header);
    ASSERT_FALSE(entries.empty()) << type.name;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].value, static_cast<int>(i)) << type.name;
      EXPECT_EQ(entries[i].text.rfind("[" + std::to_string(i) + "] ", 0) == 0,
                type.scheme != Scheme::kGid96)
          << entries[i].text;
    }
  }
  const auto gid = FilterValueEntries(kHeaderGid96);
  ASSERT_EQ(gid.size(), 1u);
  EXPECT_EQ(gid[0].text, "Not applicable");
  EXPECT_TRUE(FilterValueEntries(0x2E).empty());
  EXPECT_TRUE(FilterValueEntries(0x3C).empty());
}

}  // namespace
}  // namespace k470
