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
