#include "pages/tagfilter/tag_types.h"

#include <gtest/gtest.h>

namespace k470 {
namespace {

TEST(TagTypesTest, SchemeIndexIsTheHeaderLessItsBaseAndOnlyTableHeadersNameAScheme) {
  int found = 0;
  for (int header = 0; header < 256; ++header) {
    const auto scheme = SchemeOfHeader(static_cast<std::uint8_t>(header));
    if (!scheme) continue;
    ++found;
    EXPECT_EQ(SchemeIndex(*scheme), header - (header <= 0x2D ? 0x2C : 0x2D)) << header;
    EXPECT_EQ(TagTypeOf(*scheme).header, header);
  }
  EXPECT_EQ(found, 15);
  EXPECT_FALSE(SchemeOfHeader(0x2E));  // would fold onto GSRN-96 by the arithmetic
}

TEST(TagTypesTest, EnabledTypesKeepTableOrder) {
  EXPECT_TRUE(EnabledTagTypes(0).empty());
  EXPECT_EQ(EnabledTagTypes(kAllTagTypes).size(), 15u);
  const auto some = EnabledTagTypes(0x4108);  // ADI-var, GID-96, SGTIN-96
  ASSERT_EQ(some.size(), 3u);
  EXPECT_EQ(some[0].header, 0x30);
  EXPECT_EQ(some[1].header, 0x35);
  EXPECT_EQ(some[2].header, 0x3B);
}

}  // namespace
}  // namespace k470
