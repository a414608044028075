#include "pages/tagfilter/filter_values.h"

#include <gtest/gtest.h>

#include "pages/tagfilter/tag_types.h"

namespace k470 {
namespace {

TEST(FilterValuesTest, ListSizesByHeader) {
  const std::pair<std::uint8_t, std::size_t> sizes[] = {
      {0x39, 8}, {0x36, 8}, {0x31, 8}, {0x2F, 16}, {0x3B, 64}};
  for (const auto& [header, size] : sizes) {
    EXPECT_EQ(FilterValueEntries(header).size(), size) << int{header};
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
