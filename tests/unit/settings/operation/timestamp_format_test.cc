#include "settings/operation/timestamp_format.h"

#include <gtest/gtest.h>

#include <string_view>

#include "settings/operation/operation_lists.h"

namespace k470 {
namespace {

// The separators after the fields, in order; those past the text are 0.
TimestampSequence Seq(std::array<std::uint8_t, 7> fields, std::string_view separators) {
  TimestampSequence s;
  s.fields = fields;
  for (std::size_t i = 0; i < separators.size(); ++i) {
    s.separators[i] = static_cast<std::uint8_t>(separators[i]);
  }
  return s;
}

constexpr std::uint8_t Y = kTsYear, Mo = kTsMonth, D = kTsDay, W = kTsWeekday, H = kTsHour,
                       Mi = kTsMinute, S = kTsSecond, N = kTsNone;

TEST(TimestampFormatTest, CompositionExamples) {
  struct Case {
    TimestampLists lists;
    TimestampSequence expected;
  };
  const Case cases[] = {
      {{2, 0, 1, 2}, Seq({Y, Mo, D, H, Mi, W, N}, "//,:,")},
      {{4, 3, 1, 2}, Seq({H, Mi, N, N, N, N, N}, ":")},
      {{9, 7, 0, 1}, Seq({W, H, Mi, S, D, Mo, Y}, "-::-..")},
      // No format selected: nothing is sent.
      {{kNoCode, 1, 0, 0}, TimestampSequence{}},
      // Lists without a selection count as their first-load choice.
      {{1, kNoCode, 7, 3}, Seq({Y, Mo, D, H, Mi, S, N}, "-- ::")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComposeTimestamp(c.lists), c.expected) << "format " << c.lists.format;
  }
}

// The lists a load shows for what a store of `lists` wrote: the same,
// except the lists "[Date]" and "[Time]" do not use.
TimestampLists AfterRoundTrip(TimestampLists lists) {
  if (lists.format == 0) lists.time = lists.separator = 0;
  if (lists.format == 4) lists.date = 1, lists.separator = 0;
  return lists;
}

TEST(TimestampFormatTest, EveryListCombinationSurvivesStoreAndLoad) {
  int combinations = 0;
  for (const auto& f : kTimestampFormatList) {
    for (const auto& d : kDateFormatList) {
      for (const auto& t : kTimeFormatList) {
        for (const auto& s : kFieldSeparatorList) {
          const TimestampLists lists{f.code, d.code, t.code, s.code};
          SettingsImage image;
          WriteTimestamp(ComposeTimestamp(lists), image);
          for (const int shown_date : {kNoCode, 0, 6}) {
            EXPECT_EQ(DecomposeTimestamp(ReadTimestamp(image), shown_date), AfterRoundTrip(lists))
                << f.text << " " << d.text << " " << t.text << " " << s.text;
          }
          ++combinations;
        }
      }
    }
  }
  EXPECT_EQ(combinations, 10 * 8 * 2 * 3);
}

// Sequences a store writes come back through the round trip above; these are
// the ones only a file or another program can hold.
TEST(TimestampFormatTest, DecompositionOfForeignSequences) {
  struct Case {
    const char* rule;
    TimestampSequence stored;
    TimestampLists expected;
  };
  const Case cases[] = {
      // First field a date field; the date format from it and the separator after it.
      {"date only", Seq({Y, Mo, D, N, N, N, N}, "..,"), {0, 2, 0, 0}},
      {"month '.' has no format", Seq({Mo, D, Y, N}, ".."), {0, 1, 0, 0}},
      {"year ':' has no format", Seq({Y, Mo, D, N}, "::"), {0, 1, 0, 0}},
      {"weekday in field 6 only", Seq({Y, Mo, D, H, Mi, Mi, W}, "--,:"), {2, 1, 1, 2}},
      {"seventh field set, no weekday", Seq({Y, Mo, D, H, Mi, S, S}, "--,"), {1, 1, 0, 0}},
      {"weekday short time date", Seq({W, H, Mi, D, Mo, Y, N}, ",:,-/"), {9, 5, 1, 2}},
      {"weekday time, no date", Seq({W, H, Mi, Mi, N}, "-:"), {9, 1, 0, 1}},
      {"weekday then neither", Seq({W, W, N}, "-"), {1, 1, 0, 0}},
      // First field the hour.
      {"short time only", Seq({H, Mi, N}, ":,"), {4, 1, 1, 0}},
      {"time only", Seq({H, Mi, S, N}, "::,"), {4, 1, 0, 0}},
      {"hour alone", Seq({H, N}, ""), {4, 1, 1, 0}},
      {"time weekday, no date", Seq({H, Mi, W, Mi, N}, ":,"), {7, 4, 1, 2}},
      {"time, no date", Seq({H, Mi, S, Mi, Mi, N}, "::,"), {5, 4, 0, 2}},
      {"time and nothing known", Seq({H, Mi, S, H, H, H, H}, "::-"), {1, 1, 0, 0}},
      {"short time and nothing known", Seq({H, Mi, Mi, Mi, Mi, Mi, Mi}, ",,,,"), {1, 1, 1, 0}},
      // Anything else.
      {"minute first", Seq({Mi, H, S, Y, Mo, D, W}, "------"), {1, 1, 0, 0}},
      {"second first", Seq({S, N}, ","), {1, 1, 0, 0}},
      {"empty", TimestampSequence{}, {1, 1, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecomposeTimestamp(c.stored, /*shown_date=*/4), c.expected) << c.rule;
  }
}

TEST(TimestampFormatTest, ADateFormatKeptWhileTheListShowsNothingBecomesTheFirstLoadChoice) {
  const auto stored = Seq({H, Mi, W, Mi, N}, ":,");
  EXPECT_EQ(DecomposeTimestamp(stored, kNoCode).date, 1);
  EXPECT_EQ(DecomposeTimestamp(stored, 8).date, 1);
  EXPECT_EQ(DecomposeTimestamp(stored, 7).date, 7);
}

TEST(TimestampFormatTest, WriteSetsBits21And22To2AndKeepsBits23To31) {
  for (const std::uint32_t before : {0x00000000u, 0xFFFFFFFFu, 0x00200000u, 0xA5A5A5A5u}) {
    const std::size_t word_at = kTimestampMarker.byte;
    SettingsImage image;
    image.Fill(word_at - 1, 12, 0xEE);
    image.SetWord32(word_at, before);
    WriteTimestamp(ComposeTimestamp({1, 1, 0, 0}), image);
    const std::uint32_t word = image.Word32(word_at);
    EXPECT_EQ(word & 0x1FFFFFu, 0x43EAD1u & 0x1FFFFFu);
    EXPECT_EQ(image.Field(kTimestampMarker), 2u);
    EXPECT_EQ(word >> 23, before >> 23);
    EXPECT_EQ(image.Byte(word_at - 1), 0xEE);
    EXPECT_EQ(image.Byte(kTimestampPrefix.offset - 1), 0);  // the sixth separator
    EXPECT_EQ(image.Byte(kTimestampPrefix.offset), 0xEE);
  }
}

}  // namespace
}  // namespace k470
