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
  EXPECT_EQ(kTagTypes[3].name, "SGTIN-96");
  EXPECT_EQ(kTagTypes[14].name, "ADI-var");
}

TEST(TagTypesTest, MaskWritesBitsZeroToFourteenOnly) {
  SettingsImage image;
  image.Fill(0, kImageSize, 0xFF);
  SetTagTypeMask(image, 0x7FFB);  // "DoD-96" unchecked
  EXPECT_EQ(image.Word16(207), 0xFFFB);
  SetTagTypeMask(image, 0);              // "Clear All"
  EXPECT_EQ(image.Word16(207), 0x8000);  // bit 15 is carried
  EXPECT_EQ(image.Byte(206), 0xFF);
  EXPECT_EQ(image.Byte(209), 0xFF);
  image.SetWord16(207, 0x8004);
  EXPECT_EQ(TagTypeMask(image), 0x0004);
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
