#include "pages/operation/operation_page_values.h"

#include <gtest/gtest.h>

#include <random>

#include "core/defaults.h"
#include "pages/operation/epc_delimiter.h"
#include "pages/operation/operation_settings.h"

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
  EXPECT_EQ(state.image.Byte(kMemoryDataByte), 0xFA);          // 1111 101 0
  EXPECT_EQ(state.image.Byte(kTransmissionBufferByte), 0xF4);  // 1111 010 0
  EXPECT_EQ(state.image.Byte(kDataFormatByte), 0xF3);
  EXPECT_EQ(state.image.Word16(kOutputSequenceWord), 0xFE43);  // bits 9-15 kept
  EXPECT_EQ(state.image.Byte(kScanModeByte), 0xF7);

  // Nothing selected stores nothing.
  const auto before = state.image;
  s.memory_delay = s.transmit_delay = s.data_format = kNoCode;
  s.output_sequence = {kNoCode, kNoCode, kNoCode};
  StoreOperationSettings(s, state);
  EXPECT_EQ(state.image, before);
}

}  // namespace
}  // namespace k470
