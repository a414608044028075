#include "pages/operation/operation_page_values.h"

#include <gtest/gtest.h>

#include <random>

#include "core/defaults.h"
#include "pages/operation/epc_delimiter.h"

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
  const auto values = LoadOperationPage(state, kNoCode);
  StoreOperationPage(AsTheListsShowIt(values, state.selected_interface), state);
}

std::uint32_t Random(std::mt19937& rng, std::uint32_t below) {
  return std::uniform_int_distribution<std::uint32_t>(0, below - 1)(rng);
}

// Every byte random, then every field the page edits set to a documented value.
SettingsImage InRangeImage(std::mt19937& rng) {
  SettingsImage im;
  for (auto& b : im.bytes()) b = static_cast<std::uint8_t>(rng());
  const int scan_modes[] = {kScanModeSingleTag, kScanModeTest, kScanModeMultiTag};
  im.SetBits(kScanModeByte, 0, 4, static_cast<std::uint32_t>(scan_modes[Random(rng, 3)]));
  im.SetBits(kDataFormatByte, 2, 2, Random(rng, 3));
  for (unsigned i = 0; i < 3; ++i) im.SetBits(kOutputSequenceWord, 3 * i, 3, Random(rng, 4));
  im.SetByte(kLeftPaddingByte, Random(rng, 2) ? kZeroPadding : kBlankPadding);
  const TimestampLists lists{static_cast<int>(Random(rng, 10)), static_cast<int>(Random(rng, 8)),
                             static_cast<int>(Random(rng, 2)), static_cast<int>(Random(rng, 3))};
  const std::uint32_t kept_bits = im.Bits(kTimestampWord, 21, 11);
  WriteTimestamp(ComposeTimestamp(lists), im);
  im.SetBits(kTimestampWord, 21, 11, kept_bits);  // bits 21-22 as a file may hold them
  for (unsigned j = 0; j < 5; ++j) im.SetBits(kUhfFieldWord, 3 * j, 3, Random(rng, 6));
  im.Fill(kDelimiterByte, kDelimiterCopies, kDelimiterCharacters[Random(rng, 4)]);
  return im;
}

// The writes that load and OK always make.
SettingsImage WithTheAlwaysWrites(SettingsImage im, SelectedInterface selected) {
  im.SetBits(kTimestampWord, 21, 2, 2);
  for (unsigned j = 0; j < 5; ++j) {
    if (im.Bits(kUhfFieldWord, 3 * j, 3) == kUhfData) im.SetBits(kUhfFieldWord, 3 * j, 3, 0);
  }
  // A keyboard interface has no "Packet Data"; its "Hexadecimal" is code 0.
  if (IsKeyboardInterface(selected) && im.Bits(kDataFormatByte, 2, 2) == kDataFormatHexadecimal) {
    im.SetBits(kDataFormatByte, 2, 2, kDataFormatKeyboardHexadecimal);
  }
  return im;
}

TEST(OperationPageValuesTest, LoadThenStoreChangesOnlyWhatItAlwaysWrites) {
  std::mt19937 rng(470);
  for (int n = 0; n < 2000; ++n) {
    AppState state;
    state.selected_interface = kAll[n % 4];
    state.image = InRangeImage(rng);
    const SettingsImage expected = WithTheAlwaysWrites(state.image, state.selected_interface);
    LoadAndStore(state);
    for (std::size_t i = 0; i < kImageSize; ++i) {
      ASSERT_EQ(state.image.Byte(i), expected.Byte(i)) << "image " << n << " byte " << i;
    }
  }
}

TEST(OperationPageValuesTest, ForeignImagesChangeOnlyThePageBitsAndSettleAfterOneStore) {
  std::array<std::uint8_t, kImageSize> page_bits{};
  for (const std::size_t i : {6u, 7u, 80u}) page_bits[i] = 0x0F;
  page_bits[320] = 0x0C;
  page_bits[321] = 0xFF;
  page_bits[322] = 0x01;
  page_bits[323] = 0x06;
  for (std::size_t i = 324; i <= 342; ++i) page_bits[i] = 0xFF;
  page_bits[343] = 0x7F;  // timestamp bits 16-22
  for (std::size_t i = 345; i <= 367; ++i) page_bits[i] = 0xFF;
  page_bits[368] = 0x7F;
  for (std::size_t i = 374; i <= 389; ++i) page_bits[i] = 0xFF;

  std::mt19937 rng(11);
  for (int n = 0; n < 2000; ++n) {
    AppState state;
    state.selected_interface = kAll[n % 4];
    for (auto& b : state.image.bytes()) b = static_cast<std::uint8_t>(rng());
    const SettingsImage before = state.image;
    LoadAndStore(state);
    for (std::size_t i = 0; i < kImageSize; ++i) {
      ASSERT_EQ((before.Byte(i) ^ state.image.Byte(i)) & ~page_bits[i], 0)
          << "image " << n << " byte " << i;
    }
    const SettingsImage once = state.image;
    LoadAndStore(state);
    ASSERT_EQ(state.image, once) << "image " << n;
  }
}

TEST(OperationPageValuesTest, ResetWritesTheDefaultsAtOnceAndTheyStoreUnchanged) {
  for (const auto selected : kAll) {
    AppState state;
    New(state);
    state.selected_interface = selected;
    state.image.Fill(320, 70, 0x5A);
    state.pending_scan_mode = kScanModeTest;
    state.operation_mode = 1;
    AppState expected = state;
    ApplyOperationDefaults(expected);
    const auto values = ResetOperationPage(state, kNoCode);
    EXPECT_EQ(state.image, expected.image);
    EXPECT_EQ(state.pending_scan_mode, kScanModeSingleTag);
    EXPECT_EQ(state.operation_mode, 0);
    EXPECT_EQ(values.uhf_fields.display_row,
              (std::array<int, 4>{kUhfPc, kUhfEpc, kUhfCrc, kUhfNone}));
    EXPECT_EQ(values.delimiter_name, " ");
    StoreOperationPage(values, state);
    EXPECT_EQ(state.image, expected.image) << static_cast<int>(selected);
  }
}

}  // namespace
}  // namespace k470
