#include "settings/tagfilter/epc_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/hex.h"
#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/partition_tables.h"
#include "settings/tagfilter/scheme_fields.h"
#include "tests/support/filter_choices.h"
#include "tests/support/generated_images.h"

namespace k470 {
namespace {

using enum FilterType;
using enum FilterMethod;

using testing::kDigits;
using testing::kPrintable;
using testing::RandomImage;
using testing::RandomText;

FilterChoice Choice(FilterType type, FilterMethod method, std::uint8_t header,
                    std::string pattern1 = "", std::string pattern2 = "",
                    std::optional<unsigned> count = {}, std::optional<int> value = {}) {
  return {type, method, header, value, std::move(pattern1), std::move(pattern2), count};
}

std::vector<std::uint8_t> BytesAt(const SettingsImage& image, std::size_t offset, std::size_t n) {
  return {image.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
          image.bytes().begin() + static_cast<std::ptrdiff_t>(offset + n)};
}

std::vector<std::uint8_t> Mask(std::vector<std::uint8_t> head) {
  head.resize(kFilterMaskSize, 0);
  return head;
}

// The bytes of hex digits `hex`.
std::vector<std::uint8_t> Hex(std::string_view hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(
        static_cast<std::uint8_t>(HexDigitValue(hex[i]) * 16 + HexDigitValue(hex[i + 1])));
  return bytes;
}

TEST(EpcFilterTest, WorkedExamplesWriteTheirRecordAndNothingElse) {
  struct Case {
    const char* what;
    FilterChoice choice;
    const char* pointer_and_length;
    const char* pattern1;
    const char* pattern2 = nullptr;  // none: kept as it was
  };
  const Case cases[] = {
      {"SGTIN-96 value 3", Choice(kIncludeEpc, kFilterValue, 0x30, "", "", {}, 3), "00080003",
       "60"},
      {"company prefix", Choice(kIncludeEpc, kFirstField, 0x30, "0614141"), "000E0018", "095EFD"},
      {"item reference", Choice(kExcludeEpc, kSecondField, 0x30, "12345", "", 6u), "00260014",
       "030390", "030390"},
      {"DoD-96 identifier", Choice(kIncludeEpc, kFirstField, 0x2F, "1ABC2"), "000C0030",
       "3141424332"},
      {"DoD-96 value 9", Choice(kExcludeEpc, kFilterValue, 0x2F, "", "", {}, 9), "00080004", "90"},
      {"GID-96 object class", Choice(kIncludeEpc, kSecondField, 0x35, "5", "", 99u), "00240018",
       "000005", "000005"},
      {"GID-96 value", Choice(kIncludeEpc, kFilterValue, 0x35, "", "", {}, 0), "00080000", ""},
      {"ADI-var part number", Choice(kExcludeEpc, kSecondField, 0x3B, "AB1", "AB12", 1u),
       "00320012", "042C40", "042C72"},
      {"ADI-var value 63", Choice(kIncludeEpc, kFilterValue, 0x3B, "", "", {}, 63), "00080006",
       "FC"},
      {"GIAI-202 reference", Choice(kIncludeEpc, kSecondField, 0x38, "AB", "", 18u), "00360094",
       "20C2", "20C2"},
  };
  std::mt19937 rng(1);
  for (const Case& c : cases) {
    const SettingsImage before = RandomImage(rng);
    SettingsImage image = before;
    StoreFilter(c.choice, image);
    const auto at = OffsetsOf(c.choice.filter_type == kIncludeEpc ? FilterDirection::kInclude
                                                                  : FilterDirection::kExclude);
    EXPECT_EQ(BytesAt(image, at.pointer, at.pattern1 - at.pointer), Hex(c.pointer_and_length))
        << c.what;
    EXPECT_EQ(BytesAt(image, at.pattern1, kFilterPatternSize), Mask(Hex(c.pattern1))) << c.what;
    EXPECT_EQ(BytesAt(image, at.pattern2, kFilterPatternSize),
              c.pattern2 ? Mask(Hex(c.pattern2)) : BytesAt(before, at.pattern2, kFilterPatternSize))
        << c.what;
    // Everything outside this record, the method byte and the TAG type is as it was.
    const auto outside = [&at](SettingsImage im) {
      im.Fill(at.pointer, kFilterRecordHeadSize, 0);
      im.Fill(at.pattern2, kFilterPatternSize, 0);
      im.SetByte(kFilterMethods.byte, 0);
      im.SetField(kFilteredTagType, 0);
      return im;
    };
    EXPECT_EQ(outside(image), outside(before)) << c.what;
  }
}

TEST(EpcFilterTest, MethodByteByFilterTypeAndWhatIsLeftAlone) {
  struct Case {
    FilterChoice choice;
    std::uint8_t byte89;  // from 0xFF
    bool writes_211;
    bool writes_record;
  };
  FilterChoice no_type = Choice(kIncludeEpc, kFirstField, 0x30, "614141");
  no_type.header.reset();
  const Case cases[] = {
      {Choice(kDisableFilter, kSecondField, 0x31, "1"), 0xF0, true, false},
      {Choice(kIncludeEpc, kFirstField, 0x31, "1"), 0xF1, true, true},
      {Choice(kIncludeEpc, kSecondField, 0x31, "1"), 0xF2, true, true},
      {Choice(kExcludeEpc, kFilterValue, 0x31), 0xF4, true, true},
      {Choice(kExcludeEpc, kSecondField, 0x31, "1"), 0xF8, true, true},
      {Choice(kNoSelection, kSecondField, 0x31, "1"), 0xFF, true, false},
      {no_type, 0xF1, false, false},
  };
  std::mt19937 rng(2);
  for (const Case& c : cases) {
    SettingsImage before = RandomImage(rng);
    before.SetByte(kFilterMethods.byte, 0xFF);
    SettingsImage image = before;
    StoreFilter(c.choice, image);
    EXPECT_EQ(image.Byte(kFilterMethods.byte), c.byte89);
    EXPECT_EQ(image.Field(kFilteredTagType) != before.Field(kFilteredTagType),
              c.writes_211 && before.Field(kFilteredTagType) != 0x31);
    image.SetByte(kFilterMethods.byte, 0xFF);
    image.SetField(kFilteredTagType, before.Field(kFilteredTagType));
    EXPECT_EQ(image != before, c.writes_record) << static_cast<int>(c.choice.filter_type);
  }
}

TEST(EpcFilterTest, LoadTakesFilterTypeAndRadioFromTheStoredRecords) {
  struct Case {
    const char* what;
    std::uint8_t byte89, header, pointer_low, length;
    FilterType type;
    FilterMethod method;
  };
  const Case cases[] = {
      {"nothing set", 0xF0, 0x30, 8, 3, kDisableFilter, kFirstField},
      {"include value", 0x01, 0x30, 8, 3, kIncludeEpc, kFilterValue},
      {"exclude prefix", 0x04, 0x30, 14, 24, kExcludeEpc, kFirstField},
      {"both directions", 0x09, 0x30, 8, 3, kNoSelection, kSecondField},
      {"GID-96 manager number", 0x01, 0x35, 8, 28, kIncludeEpc, kFirstField},
      {"GID-96 zero-length", 0x04, 0x35, 8, 0, kExcludeEpc, kFilterValue},
  };
  for (const Case& c : cases) {
    SettingsImage image;
    image.SetByte(kFilterMethods.byte, c.byte89);
    for (const FilterRecordOffsets& record : {kIncludeRecord, kExcludeRecord}) {
      image.SetByte(record.pointer + 1, c.pointer_low);  // big-endian: the low byte second
      image.SetByte(record.length + 1, c.length);
    }
    const FilterChoice choice = LoadFilter(image, c.header).choice;
    EXPECT_EQ(choice.filter_type, c.type) << c.what;
    EXPECT_EQ(choice.method, c.method) << c.what;
  }
}

TEST(EpcFilterTest, DecodedTextsStoreAgainAsTyped) {
  struct Case {
    FilterChoice stored;
    std::string pattern1, pattern2;
    std::optional<unsigned> count;
    std::optional<int> partition;
  };
  const Case cases[] = {
      // The prefix's leading zero gave its partition; dropping it would move it.
      {Choice(kIncludeEpc, kFirstField, 0x30, "0614141"), "0614141", "", {}, {}},
      {Choice(kIncludeEpc, kFirstField, 0x34, ""), "000000", "", {}, {}},
      {Choice(kIncludeEpc, kSecondField, 0x30, "45", "7", 6u), "000045", "000007", 6u, 5},
      {Choice(kIncludeEpc, kSecondField, 0x30, "45", "045", 6u), "000045", "", 6u, 5},
      {Choice(kExcludeEpc, kSecondField, 0x30, "45", "", 60u), "0000045", "", 7u, 6},
      {Choice(kIncludeEpc, kSecondField, 0x38, "X1", "Y22", 21u), "X1", "Y22", 21u, 3},
      {Choice(kIncludeEpc, kSecondField, 0x3B, "AB1", "AB12", 9u), "AB1", "AB12", 3u, 0},
      {Choice(kIncludeEpc, kSecondField, 0x2F, "123", "9", 0u), "123", "009", 3u, 0},
      {Choice(kIncludeEpc, kFirstField, 0x3B, "2S194"), "2S194", "", {}, {}},
      {Choice(kIncludeEpc, kFirstField, 0x3B, "  "), "      ", "", {}, {}},
  };
  for (const Case& c : cases) {
    SettingsImage image;
    StoreFilter(c.stored, image);
    const LoadedFilter loaded = LoadFilter(image, *c.stored.header);
    EXPECT_EQ(loaded.choice.pattern1, c.pattern1);
    EXPECT_EQ(loaded.choice.pattern2, c.pattern2) << c.pattern1;
    EXPECT_EQ(loaded.choice.digit_count, c.count) << c.pattern1;
    EXPECT_EQ(loaded.partition_offset, c.partition) << c.pattern1;
  }
}

TEST(EpcFilterTest, EveryPartitionOfEveryGs1SchemeComesBackExactly) {
  std::mt19937 rng(3);
  for (const TagType& type : kTagTypes) {
    if (!HasPartition(type.scheme)) continue;
    const int min = SchemeFieldsOf(type.scheme).min_digits;
    const bool characters = type.scheme == Scheme::kGiai202;
    for (int p = 0; p < kPartitionCount; ++p) {
      const auto count = static_cast<unsigned>(min + p);
      const std::string prefix = RandomText(rng, kDigits, static_cast<std::size_t>(12 - p));
      // GIAI-96 reserves fewer bits than its widest reference: keep below both.
      const unsigned bits = (*SecondFieldBits(type.scheme))[static_cast<std::size_t>(p)];
      const std::uint64_t below = std::min<std::uint64_t>(
          static_cast<std::uint64_t>(std::pow(10.0, count)), 1ull << std::min(bits, 63u));
      std::string second =
          std::to_string(std::uniform_int_distribution<std::uint64_t>(0, below - 1)(rng));
      second = count == 0 ? "" : std::string(count - second.size(), '0') + second;
      if (characters) second = RandomText(rng, kPrintable, count);
      for (const FilterChoice& typed :
           {Choice(kIncludeEpc, kFirstField, type.header, prefix),
            Choice(kExcludeEpc, kSecondField, type.header, second, "", count)}) {
        SettingsImage image;
        StoreFilter(typed, image);
        const LoadedFilter loaded = LoadFilter(image, type.header);
        EXPECT_EQ(loaded.choice.pattern1, typed.pattern1) << type.name << " p" << p;
        EXPECT_EQ(loaded.choice.digit_count, typed.digit_count) << type.name << " p" << p;
        if (typed.method == kSecondField) {
          EXPECT_EQ(loaded.partition_offset, p);
        }
      }
    }
  }
}

// A record from a file or another program: every length and pointer is possible.
TEST(EpcFilterTest, ForeignRecordsDecodeWithinTheirTables) {
  std::mt19937 rng(5);
  for (int i = 0; i < 3000; ++i) {
    SettingsImage image = RandomImage(rng);
    const auto header = static_cast<std::uint8_t>(0x2B + rng() % 18);
    if (rng() % 2) image.SetByte(kIncludeRecord.pointer + 1, 8);
    const LoadedFilter loaded = LoadFilter(image, header);
    const FilterChoice& choice = loaded.choice;
    EXPECT_LE(choice.pattern1.size(), kMaxPatternCharacters);
    EXPECT_LE(choice.pattern2.size(), kMaxPatternCharacters);
    if (choice.filter_value) {
      EXPECT_GE(*choice.filter_value, 0);
      EXPECT_LT(*choice.filter_value, 256);
    }
    if (loaded.partition_offset) {
      EXPECT_GE(*loaded.partition_offset, 0);
      EXPECT_LT(*loaded.partition_offset, kPartitionCount);
    }
    StoreFilter(choice, image);
  }
}

}  // namespace
}  // namespace k470
