// The Operation page's values over the image, below its widgets.
#include "settings/operation/operation_page_values.h"

#include <gtest/gtest.h>

#include <random>

#include "core/defaults.h"
#include "settings/operation/epc_data_fields.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/operation_settings.h"
#include "settings/operation/output_format.h"

namespace k470 {
namespace {

using enum SelectedInterface;
constexpr SelectedInterface kAll[] = {kBluetoothSpp, kBluetoothHid, kM912Vcom, kM912Hid};

// What the page's lists hand back at OK: a code without an entry shows no selection.
OperationPageValues AsTheListsShowIt(OperationPageValues v, SelectedInterface selected) {
  const auto shown = [](std::span<const ListEntry> list, int& code) {
    if (ListPositionOfCode(list, code) == kNoCode) code = kNoCode;
  };
  shown(kDelayList, v.settings.memory_delay);
  shown(kDelayList, v.settings.transmit_delay);
  shown(DataFormatList(selected), v.settings.data_format);
  for (auto& section : v.settings.output_sequence) shown(kOutputSequenceList, section);
  return v;
}

void LoadAndStore(AppState& state) {
  NormaliseOperationPageOnOpen(state);
  const auto values = LoadOperationPage(state, kNoCode);
  StoreOperationPage(AsTheListsShowIt(values, state.selected_interface), state);
}

TEST(OperationPageValuesTest, ForeignImagesChangeOnlyThePageBitsAndSettleAfterOneStore) {
  // The bits of the page's fields set, every other bit clear.
  SettingsImage page_bits;
  for (const ImageField field :
       {kMemoryMode, kMemoryDelay, kTransmissionBuffer, kTransmitDelay, kPendingScanMode,
        kDataFormat, kResetOnUhfPowerOn, kResetOnNewConnection, kLeftPadding, kTimestampMarker}) {
    page_bits.SetField(field, ~0u);
  }
  for (int i = 0; i < kOutputSequenceCount; ++i) page_bits.SetField(OutputSequenceField(i), ~0u);
  for (int i = 0; i < kTimestampFieldCount; ++i) page_bits.SetField(TimestampCodeField(i), ~0u);
  for (int i = 0; i < kUhfFieldCount; ++i) page_bits.SetField(UhfFieldCode(i), ~0u);
  for (const ImageArea area : {kCounterPrefix, kCounterSuffix, kTimestampSeparators,
                               kTimestampPrefix, kTimestampSuffix, kEpcPrefix, kEpcSuffix}) {
    page_bits.Fill(area, 0xFF);
  }

  std::mt19937 rng(11);
  for (int n = 0; n < 2000; ++n) {
    AppState state;
    state.selected_interface = kAll[n % 4];
    for (auto& b : state.image.bytes()) b = static_cast<std::uint8_t>(rng());
    const SettingsImage before = state.image;
    LoadAndStore(state);
    for (std::size_t i = 0; i < kImageSize; ++i) {
      ASSERT_EQ((before.Byte(i) ^ state.image.Byte(i)) & ~page_bits.Byte(i), 0)
          << "image " << n << " byte " << i;
    }
    const SettingsImage once = state.image;
    LoadAndStore(state);
    ASSERT_EQ(state.image, once) << "image " << n;
  }
}

TEST(OperationSettingsTest, StoresEveryFieldInItsOwnBitsOnly) {
  AppState state;
  state.image.Fill(0, kImageSize, 0xFF);
  state.pending_scan_mode = kScanModeTest;
  OperationSettings s;
  s.memory_mode = false;
  s.memory_delay = 5;
  s.data_format = 0;
  s.transmission_buffer = false;
  s.transmit_delay = 2;
  s.output_sequence = {3, 0, 1};
  StoreOperationSettings(s, state);
  EXPECT_EQ(state.image.Byte(kMemoryMode.byte), 0xFA);          // 1111 101 0
  EXPECT_EQ(state.image.Byte(kTransmissionBuffer.byte), 0xF4);  // 1111 010 0
  EXPECT_EQ(state.image.Byte(kDataFormat.byte), 0xF3);
  EXPECT_EQ(state.image.Word16(OutputSequenceField(0).byte), 0xFE43);  // bits 9-15 kept
  EXPECT_EQ(state.image.Byte(kPendingScanMode.byte), 0xF7);

  // Nothing selected stores nothing.
  const auto before = state.image;
  s.memory_delay = s.transmit_delay = s.data_format = kNoCode;
  s.output_sequence = {kNoCode, kNoCode, kNoCode};
  StoreOperationSettings(s, state);
  EXPECT_EQ(state.image, before);
}

std::uint16_t Word(std::initializer_list<int> codes, std::uint16_t high = 0) {
  std::uint16_t w = high;
  unsigned shift = 0;
  for (int c : codes) {
    w = static_cast<std::uint16_t>(w | (c << shift));
    shift += 3;
  }
  return w;
}

// Clearing "Data" codes on opening is checked on the page; here the codes no
// entry names.
TEST(UhfFieldsTest, CodesWithoutANameShowNothingAndFieldFiveIsNotTouched) {
  SettingsImage image;
  image.SetWord16(UhfFieldCode(0).byte, Word({6, kUhfCrc, 7, kUhfCrc, kUhfEpc}));
  const UhfFieldLists lists = LoadUhfFields(image);
  EXPECT_EQ(lists.display_row, (std::array<int, 4>{kUhfNone, kUhfCrc, kUhfNone, kUhfCrc}));
  EXPECT_EQ(lists.selected, (std::vector<int>{kUhfCrc, kUhfCrc}));
  EXPECT_EQ(lists.available, (std::vector<int>{kUhfPc, kUhfEpc, kUhfLength}));
  StoreUhfFields(lists.display_row, image);
  EXPECT_EQ(image.Word16(UhfFieldCode(0).byte), Word({0, kUhfCrc, 0, kUhfCrc, kUhfEpc}));
}

TEST(EpcDelimiterTest, WrittenToAllThreeCopiesAndNoDelimiterOutsideTheList) {
  SettingsImage image;
  const std::size_t first = kDelimiter.offset;
  const std::size_t after = kDelimiter.offset + kDelimiter.length;
  image.Fill(first - 1, kDelimiter.length + 2, 0xAA);
  WriteDelimiter(1, image);
  for (std::size_t i = first; i < after; ++i) EXPECT_EQ(image.Byte(i), 0x09);
  EXPECT_EQ(image.Byte(first - 1), 0xAA);
  EXPECT_EQ(image.Byte(after), 0xAA);
  for (const int outside : {-1, 4, 100}) {
    WriteDelimiter(outside, image);
    EXPECT_EQ(image.Byte(first + 1), 0x00) << outside;
  }

  // A foreign byte opens the dialog on "No Delimiter"; Cancel writes that.
  image.Fill(kDelimiter, '-');
  WriteDelimiter(DelimiterPositionOf(image.Byte(first)), image);
  EXPECT_EQ(image.Byte(after - 1), 0x00);
}

TEST(OutputFormatTest, KeyBuffersGoToTheirOwnBytesWhole) {
  SettingsImage image;
  image.Fill(0, kImageSize, 0xEE);
  image.SetByte(kResetOnUhfPowerOn.byte, 0xFF);
  OutputFormat f;
  const KeySequenceField* fields[] = {&kCounterPrefixField,   &kCounterSuffixField,
                                      &kTimestampPrefixField, &kTimestampSuffixField,
                                      &kEpcPrefixField,       &kEpcSuffixField};
  KeyBuffer* buffers[] = {&f.counter_prefix,   &f.counter_suffix, &f.timestamp_prefix,
                          &f.timestamp_suffix, &f.epc_prefix,     &f.epc_suffix};
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j < kKeyFieldSize; ++j) {
      (*buffers[i])[j] = static_cast<std::uint8_t>(0x10 * (i + 1) + j);  // no terminator
    }
  }
  f.left_padding = 1;
  StoreOutputFormat(f, image);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(ReadKeyBuffer(image, *fields[i]), *buffers[i]) << fields[i]->edit_id;
  }
  EXPECT_EQ(image.Field(kLeftPadding), kZeroPadding);
  EXPECT_EQ(image.Byte(kResetOnUhfPowerOn.byte), 0xF9);  // bits 0 and 3-7 kept
  EXPECT_EQ(image.Field(kHiddenByte372), 0xEE);
  EXPECT_EQ(image.Byte(kHiddenBits373.byte), 0xEE);
  EXPECT_EQ(image.Byte(kEpcSuffix.offset + kEpcSuffix.length), 0xEE);
  EXPECT_EQ(LoadOutputFormat(image, kNoCode), f);

  // The padding field is a single byte.
  WriteKeyBuffer(KeyBuffer{0x41, 0x42}, kLeftPaddingField, image);
  EXPECT_EQ(image.Field(kLeftPadding), 0x41);
  EXPECT_EQ(image.Byte(kCounterPrefix.offset), 0x10);
  EXPECT_EQ(ReadKeyBuffer(image, kLeftPaddingField), (KeyBuffer{0x41}));
}

TEST(OutputFormatTest, LeftPaddingIsABlankUnlessItIsTheDigitZero) {
  struct Case {
    std::uint8_t stored;
    int shown;
    std::uint8_t stored_again;
  };
  const Case cases[] = {{0x30, 1, 0x30}, {0x20, 0, 0x20}, {0x00, 0, 0x20}, {0x41, 0, 0x20}};
  for (const auto& c : cases) {
    SettingsImage image;
    image.SetField(kLeftPadding, c.stored);
    const auto f = LoadOutputFormat(image, kNoCode);
    EXPECT_EQ(f.left_padding, c.shown);
    StoreOutputFormat(f, image);
    EXPECT_EQ(image.Field(kLeftPadding), c.stored_again) << int{c.stored};
  }
  SettingsImage image;
  image.SetField(kLeftPadding, 0x41);
  OutputFormat none;
  none.left_padding = kNoCode;
  StoreOutputFormat(none, image);
  EXPECT_EQ(image.Field(kLeftPadding), 0x41);
}

}  // namespace
}  // namespace k470
