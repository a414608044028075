// Which filter controls of the Single TAG Mode dialog are enabled.
#include <gtest/gtest.h>

#include "settings/tagfilter/filter_enable_rule.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {
namespace {

TEST(FilterEnableRuleTest, TagTypeFilterTypeAndMethodDecideTheControls) {
  using enum FilterType;
  using enum FilterMethod;
  const struct {
    FilterType type;
    std::optional<std::uint8_t> header;
    FilterMethod method;
    // filter type, scheme, by filter value, filter value, pattern1, second field
    FilterEnables on;
  } cases[] = {
      {kIncludeEpc, std::nullopt, kSecondField, {}},
      {kDisableFilter, kHeaderSgtin96, kSecondField, {true, false, false, false, false, false}},
      {kIncludeEpc, kHeaderSgtin96, kFilterValue, {true, true, true, true, false, false}},
      {kExcludeEpc, kHeaderSgtin96, kFirstField, {true, true, true, false, true, false}},
      {kIncludeEpc, kHeaderSgtin96, kSecondField, {true, true, true, false, true, true}},
      {kNoSelection, kHeaderSgtin96, kFirstField, {true, true, true, false, true, false}},
      {kExcludeEpc, kHeaderGid96, kSecondField, {true, true, false, false, true, true}},
      // A stored zero-length filter: its radio stays checked, not offered.
      {kIncludeEpc, kHeaderGid96, kFilterValue, {true, true, false, true, false, false}},
      {kDisableFilter, kHeaderGid96, kFilterValue, {true, false, false, false, false, false}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(FilterEnableRule(c.type, c.header, c.method), c.on) << "row " << i;
  }
}

}  // namespace
}  // namespace k470
