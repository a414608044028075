// The TAG type tables: headers, filter values, partitions and pattern limits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/partition_tables.h"
#include "settings/tagfilter/scheme_fields.h"
#include "settings/tagfilter/tag_types.h"

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

TEST(FilterValuesTest, EveryEntryCarriesItsIndexAndGidHasOnlyNotApplicable) {
  for (const TagType& type : kTagTypes) {
    const auto entries = FilterValueEntries(type.header);
    ASSERT_FALSE(entries.empty()) << type.name;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].value, static_cast<int>(i)) << type.name;
      std::string index = "[";  // appended: GCC 12 warns falsely on "[" + ...
      index.append(std::to_string(i)).append("] ");
      EXPECT_EQ(entries[i].text.starts_with(index), type.scheme != Scheme::kGid96)
          << entries[i].text;
    }
  }
  const auto gid = FilterValueEntries(kHeaderGid96);
  ASSERT_EQ(gid.size(), 1u);
  EXPECT_EQ(gid[0].text, "Not applicable");
  EXPECT_TRUE(FilterValueEntries(0x2E).empty());
  EXPECT_TRUE(FilterValueEntries(0x3C).empty());
}

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

// The partition only moves the border between the two fields: their sum is
// the scheme's, and each field holds the digits its partition gives it.
TEST(PartitionTablesTest, FieldsShareOneWidthAndHoldTheirDigits) {
  const std::pair<Scheme, int> sums[] = {
      {Scheme::kSgtin96, 44}, {Scheme::kSgtin198, 44}, {Scheme::kGrai96, 44},
      {Scheme::kGrai170, 44}, {Scheme::kSscc96, 58},   {Scheme::kGsrn96, 58},
      {Scheme::kSgln96, 41},  {Scheme::kSgln195, 41},  {Scheme::kGdti96, 41},
      {Scheme::kGdti113, 41}, {Scheme::kGiai96, 82},   {Scheme::kGiai202, 188}};
  for (const auto& [scheme, sum] : sums) {
    const auto second = SecondFieldBits(scheme);
    ASSERT_TRUE(second) << TagTypeOf(scheme).name;
    const int min = SchemeFieldsOf(scheme).min_digits;
    EXPECT_EQ(SchemeFieldsOf(scheme).max_digits, min + 6);
    for (int p = 0; p < kPartitionCount; ++p) {
      EXPECT_EQ(kCompanyPrefixBits[p] + (*second)[p], sum) << TagTypeOf(scheme).name << p;
      EXPECT_LE(std::pow(10.0, 12 - p), std::pow(2.0, kCompanyPrefixBits[p]));
      // GIAI reserves fewer bits than its widest reference: it counts values.
      if (scheme != Scheme::kGiai96 && scheme != Scheme::kGiai202) {
        EXPECT_LE(std::pow(10.0, min + p), std::pow(2.0, (*second)[p]))
            << TagTypeOf(scheme).name << p;
      }
      EXPECT_EQ(PartitionOfSecondFieldBits(scheme, (*second)[p]), p);
    }
  }
  for (Scheme scheme : {Scheme::kDod96, Scheme::kGid96, Scheme::kAdiVar}) {
    EXPECT_FALSE(HasPartition(scheme));
    EXPECT_FALSE(PartitionOfSecondFieldBits(scheme, 24));
  }
}

TEST(PartitionTablesTest, PartitionsOutsideTheTablesAreClamped) {
  EXPECT_EQ(PartitionOfPrefixLength(7), 5);  // 0614141
  EXPECT_EQ(PartitionOfPrefixLength(12), 0);
  EXPECT_EQ(PartitionOfPrefixLength(40), 0);
  EXPECT_EQ(PartitionOfPrefixLength(5), 6);
  EXPECT_EQ(PartitionOfPrefixLength(0), 6);
  const std::tuple<Scheme, unsigned, int> counts[] = {
      {Scheme::kSgtin96, 6, 5},          {Scheme::kSgtin96, 0, 0},  {Scheme::kSscc96, 11, 6},
      {Scheme::kGiai96, 5, 0},           {Scheme::kGiai202, 20, 2}, {Scheme::kGiai202, 0, 0},
      {Scheme::kGrai96, 4000000000u, 6}, {Scheme::kSgln96, 0, 0}};
  for (const auto& [scheme, count, p] : counts) {
    EXPECT_EQ(PartitionOfDigitCount(scheme, count), p) << TagTypeOf(scheme).name << count;
  }
  EXPECT_EQ(PartitionOfPrefixBits(24), 5);
  EXPECT_FALSE(PartitionOfPrefixBits(25));
}

}  // namespace
}  // namespace k470
