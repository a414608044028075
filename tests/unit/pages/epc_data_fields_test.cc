#include "pages/operation/epc_data_fields.h"

#include <gtest/gtest.h>

#include "core/defaults.h"
#include "pages/operation/epc_delimiter.h"

namespace k470 {
namespace {

std::uint16_t Word(std::initializer_list<int> codes, std::uint16_t high = 0) {
  std::uint16_t w = high;
  unsigned shift = 0;
  for (int c : codes) {
    w = static_cast<std::uint16_t>(w | (c << shift));
    shift += 3;
  }
  return w;
}

// Clearing data codes at load is checked on the page; here the codes no
// entry names.
TEST(UhfFieldsTest, CodesWithoutANameShowNothingAndFieldFiveIsNotTouched) {
  SettingsImage image;
  image.SetWord16(kUhfFieldWord, Word({6, kUhfCrc, 7, kUhfCrc, kUhfEpc}));
  const UhfFieldLists lists = LoadUhfFields(image);
  EXPECT_EQ(lists.display_row, (std::array<int, 4>{kUhfNone, kUhfCrc, kUhfNone, kUhfCrc}));
  EXPECT_EQ(lists.selected, (std::vector<int>{kUhfCrc, kUhfCrc}));
  EXPECT_EQ(lists.available, (std::vector<int>{kUhfPc, kUhfEpc, kUhfLength}));
  StoreUhfFields(lists.display_row, image);
  EXPECT_EQ(image.Word16(kUhfFieldWord), Word({0, kUhfCrc, 0, kUhfCrc, kUhfEpc}));
}

TEST(UhfFieldsTest, MoveButtonsAtTheEndsOfTheLists) {
  AppState state;
  New(state);
  UhfFieldLists lists = LoadUhfFields(state.image);
  EXPECT_EQ(MoveUp(lists, 0), 0);    // the top entry stays
  EXPECT_EQ(MoveDown(lists, 2), 2);  // so does the bottom one
  EXPECT_EQ(MoveUp(lists, 5), 5);
  EXPECT_FALSE(MoveToSelected(lists, 1));
  EXPECT_FALSE(MoveToAvailable(lists, -1));
  EXPECT_EQ(lists.selected, (std::vector<int>{kUhfPc, kUhfEpc, kUhfCrc}));

  EXPECT_EQ(MoveUp(lists, 2), 1);
  EXPECT_EQ(MoveDown(lists, 0), 1);
  EXPECT_EQ(lists.display_row, (std::array<int, 4>{kUhfCrc, kUhfPc, kUhfEpc, kUhfNone}));

  EXPECT_TRUE(MoveToSelected(lists, 0));
  EXPECT_TRUE(lists.available.empty());
  StoreUhfFields(lists.display_row, state.image);
  EXPECT_EQ(state.image.Word16(kUhfFieldWord), Word({kUhfCrc, kUhfPc, kUhfEpc, kUhfLength}));

  while (!lists.selected.empty()) MoveToAvailable(lists, 0);
  EXPECT_EQ(lists.available, (std::vector<int>{kUhfCrc, kUhfPc, kUhfEpc, kUhfLength}));
  StoreUhfFields(lists.display_row, state.image);
  EXPECT_EQ(state.image.Word16(kUhfFieldWord), 0);
}

TEST(UhfFieldsTest, NamesOfTheDisplayRow) {
  const std::pair<std::string_view, int> names[] = {
      {"Disable", 0}, {"Length", 5}, {"Data", 0}, {"", 0}, {"pc", 0}};
  for (const auto& [name, code] : names) EXPECT_EQ(UhfFieldCodeOf(name), code) << name;
  EXPECT_EQ(UhfFieldName(kUhfLength), "Length");
  EXPECT_EQ(UhfFieldName(6), "");
  EXPECT_EQ(UhfFieldName(-1), "");
}

TEST(EpcDelimiterTest, PositionsNamesAndTheThreeCopies) {
  struct Case {
    std::uint8_t stored;
    int position;
    std::string_view loaded_name;
  };
  const Case cases[] = {{0x00, 0, " "}, {0x09, 1, "TAB"}, {0x2C, 2, ","},
                        {0x2E, 3, "."}, {0x2D, 0, " "},   {0xFF, 0, " "}};
  for (const auto& c : cases) {
    EXPECT_EQ(DelimiterPositionOf(c.stored), c.position) << int{c.stored};
    EXPECT_EQ(LoadedDelimiterName(c.stored), c.loaded_name) << int{c.stored};
  }
  EXPECT_EQ(ChosenDelimiterName(4), " ");

  SettingsImage image;
  image.Fill(360, 20, 0xAA);
  WriteDelimiter(1, image);
  for (std::size_t i = 369; i <= 371; ++i) EXPECT_EQ(image.Byte(i), 0x09);
  EXPECT_EQ(image.Byte(368), 0xAA);
  EXPECT_EQ(image.Byte(372), 0xAA);
  for (const int outside : {-1, 4, 100}) {
    WriteDelimiter(outside, image);
    EXPECT_EQ(image.Byte(370), 0x00) << outside;
  }

  // A foreign byte opens the dialog on "No Delimiter"; Cancel writes that.
  image.Fill(kDelimiterByte, kDelimiterCopies, '-');
  WriteDelimiter(DelimiterPositionOf(image.Byte(kDelimiterByte)), image);
  EXPECT_EQ(image.Byte(371), 0x00);
}

}  // namespace
}  // namespace k470
