#include "pages/operation/operation_settings.h"

#include <gtest/gtest.h>

#include "core/defaults.h"
#include "pages/operation/output_sequence.h"

namespace k470 {
namespace {

using enum SelectedInterface;

// What a list reports back for a loaded code: the code when it has an entry.
int Shown(std::span<const ListEntry> list, int code) {
  return ListPositionOfCode(list, code) == kNoCode ? kNoCode : code;
}

TEST(OperationSettingsTest, DataFormatListAndSelectionByInterface) {
  // stored code -> code selected -> code stored at OK
  struct Case {
    SelectedInterface selected;
    int stored, shown, stored_again;
  };
  const Case cases[] = {
      {kBluetoothSpp, 0, 0, 0}, {kBluetoothSpp, 1, 1, 1},
      {kM912Vcom, 2, 2, 2},     {kM912Vcom, 3, kNoCode, 3},  // no entry: kept as stored
      {kBluetoothHid, 0, 0, 0}, {kBluetoothHid, 1, 0, 0},
      {kM912Hid, 2, 2, 2},      {kM912Hid, 3, 0, 0},
  };
  for (const auto& c : cases) {
    AppState state;
    state.selected_interface = c.selected;
    state.image.SetByte(kDataFormatByte, static_cast<std::uint8_t>(0xF3 | (c.stored << 2)));
    auto s = LoadOperationSettings(state);
    EXPECT_EQ(s.data_format, c.shown) << static_cast<int>(c.selected) << " " << c.stored;
    s.data_format = Shown(DataFormatList(c.selected), s.data_format);
    StoreOperationSettings(s, state);
    EXPECT_EQ(state.image.Byte(kDataFormatByte), 0xF3 | (c.stored_again << 2));
  }
}

TEST(OperationSettingsTest, OutputSectionCodesWithoutAnEntryAreStoredAgainUnchanged) {
  for (int code = 0; code < 8; ++code) {
    AppState state;
    New(state);
    state.image.SetBits(kOutputSequenceWord, 3, 3, static_cast<std::uint32_t>(code));
    const auto before = state.image;
    auto s = LoadOperationSettings(state);
    for (auto& section : s.output_sequence) section = Shown(kOutputSequenceList, section);
    EXPECT_EQ(s.output_sequence[1], code < 4 ? code : kNoCode);
    StoreOperationSettings(s, state);
    EXPECT_EQ(state.image, before) << code;
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

TEST(OutputSequenceTest, RefusesAllDisabledAndASectionUsedTwice) {
  using enum OutputSequenceVerdict;
  AppState state;
  New(state);  // stored: Counter, Timestamp, EPC Tag
  struct Case {
    std::array<int, 3> codes;
    int changed;
    OutputSequenceVerdict verdict;
    int select;
  };
  const Case cases[] = {
      {{0, 0, 0}, 0, kAllDisabled, 1},
      {{0, 0, 0}, 1, kAllDisabled, 2},
      {{0, 0, 0}, 2, kAllDisabled, 3},
      {{1, 1, 3}, 1, kSectionUsedTwice, 0},
      {{3, 2, 3}, 0, kSectionUsedTwice, 0},
      {{0, 0, 3}, 0, kAccepted, 0},  // two lists on "Disable" are fine
      {{1, 2, 3}, 2, kAccepted, 3},
      {{0, kNoCode, 0}, 2, kAccepted, 0},
      {{1, 1, 1}, 3, kAccepted, kNoCode},  // no such list
  };
  for (const auto& c : cases) {
    const auto check = CheckOutputSequenceChoice(c.codes, c.changed, state.image);
    EXPECT_EQ(check.verdict, c.verdict) << c.changed;
    EXPECT_EQ(check.select_code, c.select) << c.changed;
  }

  // The list goes back to what the image holds, also to a code without an entry.
  state.image.SetBits(kOutputSequenceWord, 0, 9, 0b000'110'000);
  EXPECT_EQ(CheckOutputSequenceChoice({0, 0, 0}, 0, state.image).select_code, 0);
  EXPECT_EQ(CheckOutputSequenceChoice({0, 0, 0}, 1, state.image).select_code, 6);
}

}  // namespace
}  // namespace k470
