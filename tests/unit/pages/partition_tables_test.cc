#include "pages/tagfilter/partition_tables.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pages/tagfilter/scheme_fields.h"

namespace k470 {
namespace {

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
