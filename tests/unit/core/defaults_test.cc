#include "core/defaults.h"

#include <gtest/gtest.h>

#include <map>

namespace k470 {
namespace {

// The default table written out byte by byte: which bits New sets (mask) and
// their value. Bytes that are not listed keep whatever they held.
struct Entry {
  int offset;
  std::uint8_t mask;
  std::uint8_t value;
};

std::map<int, Entry> ExpectedDefaults() {
  std::map<int, Entry> t;
  auto all = [&](int off, std::uint8_t v) { t[off] = {off, 0xFF, v}; };
  auto bits = [&](int off, std::uint8_t mask, std::uint8_t v) { t[off] = {off, mask, v}; };
  auto range = [&](int from, int to, std::uint8_t v) {
    for (int i = from; i <= to; ++i) all(i, v);
  };
  all(0, 10);
  all(1, 2);
  bits(2, 0x0F, 0x06);
  all(3, 4);
  all(4, 10);
  all(5, 0xC5);
  all(6, 0);
  bits(7, 0x0F, 0x01);
  all(8, 0x6F);
  bits(9, 0x01, 0x00);
  bits(16, 0x7F, 0x45);
  all(17, 0x40);
  all(18, 0x60);
  range(19, 21, 0);
  bits(22, 0x01, 0);
  all(23, 0);
  bits(24, 0x3F, 0x20);
  all(28, '0');
  all(29, '0');
  all(30, '0');
  all(31, '0');
  all(32, 0);
  all(44, 0x20);
  bits(45, 0x07, 0);
  all(46, 0x7F);
  range(47, 55, 0);
  all(80, 6);
  all(81, 0);
  all(82, 0x80);
  bits(83, 0x0F, 0x01);
  bits(88, 0x1F, 0x08);
  bits(89, 0x0F, 0);
  range(90, 169, 0);
  all(170, 5);
  range(171, 204, 0);
  bits(205, 0x1F, 0x09);
  all(206, 3);
  all(207, 0xFF);
  bits(208, 0x7F, 0x7F);
  all(211, '0');
  range(212, 275, 0);
  bits(320, 0x0F, 0);
  all(321, 0xD1);
  bits(322, 0x01, 0);
  bits(323, 0x07, 0x05);
  all(324, 0x20);
  range(325, 332, 0);
  all(333, '.');
  range(334, 340, 0);
  all(341, 0xD1);
  all(342, 0xEA);
  bits(343, 0x7F, 0x43);
  all(345, '-');
  all(346, '-');
  all(347, ' ');
  all(348, ':');
  all(349, ':');
  all(350, 0);
  all(351, ' ');
  range(352, 358, 0);
  all(359, ' ');
  range(360, 366, 0);
  all(367, 0x5A);
  bits(368, 0x7F, 0);
  range(369, 372, 0);
  bits(373, 0x03, 0);
  range(374, 381, 0);
  all(382, 0x0D);
  range(383, 389, 0);
  const char on[] = "#@TRIGON\r";
  for (int i = 0; i < 9; ++i) all(390 + i, static_cast<std::uint8_t>(on[i]));
  all(399, 0);
  const char off[] = "#@TRIGOFF\r";
  for (int i = 0; i < 10; ++i) all(400 + i, static_cast<std::uint8_t>(off[i]));
  range(410, 449, 0);
  all(450, 0x21);
  range(451, 452, 0);
  return t;
}

void ExpectDefaultsOver(std::uint8_t fill) {
  AppState state;
  state.image.Fill(0, kImageSize, fill);
  New(state);
  const auto table = ExpectedDefaults();
  for (int off = 0; off < static_cast<int>(kImageSize); ++off) {
    std::uint8_t expected = fill;
    if (auto it = table.find(off); it != table.end()) {
      expected = static_cast<std::uint8_t>((it->second.value & it->second.mask) |
                                           (fill & ~it->second.mask));
    }
    EXPECT_EQ(state.image.Byte(off), expected) << "offset " << off << " over fill " << int(fill);
  }
}

TEST(DefaultsTest, NewWritesTheTableAndKeepsEverythingElse) {
  ExpectDefaultsOver(0x00);
  ExpectDefaultsOver(0xFF);
  ExpectDefaultsOver(0xA5);
}

TEST(DefaultsTest, NewResetsTheValuesBesideTheImage) {
  AppState state;
  state.selected_interface = SelectedInterface::kM912Hid;
  state.operation_mode = 1;
  state.pending_scan_mode = kScanModeMultiTag;
  state.clock_mode = ClockMode::kSetTimeAndDate;
  New(state);
  EXPECT_EQ(state.selected_interface, SelectedInterface::kBluetoothSpp);
  EXPECT_EQ(state.operation_mode, 0);
  EXPECT_EQ(state.pending_scan_mode, kScanModeSingleTag);
  EXPECT_EQ(state.clock_mode, ClockMode::kSyncWithHost);
}

TEST(DefaultsTest, EachSideResetsOnlyItsOwnRegions) {
  AppState system;
  system.image.Fill(0, kImageSize, 0xFF);
  system.pending_scan_mode = kScanModeTest;
  system.clock_mode = ClockMode::kSkip;
  ApplySystemDefaults(system);
  EXPECT_EQ(system.image.Byte(0), 10);
  EXPECT_EQ(system.image.Byte(206), 3);
  EXPECT_EQ(system.image.Byte(450), 0x21);
  EXPECT_EQ(system.image.Byte(80), 0xFF);   // scan mode is the Operation side's
  EXPECT_EQ(system.image.Byte(320), 0xFF);  // so is the data format
  EXPECT_EQ(system.image.Byte(207), 0xFF);  // tag types belong to neither side
  EXPECT_EQ(system.pending_scan_mode, kScanModeTest);
  EXPECT_EQ(system.clock_mode, ClockMode::kSkip);

  AppState operation;
  operation.image.Fill(0, kImageSize, 0xFF);
  operation.selected_interface = SelectedInterface::kM912Vcom;
  ApplyOperationDefaults(operation);
  EXPECT_EQ(operation.image.Byte(80), 6);
  EXPECT_EQ(operation.image.Byte(170), 5);
  EXPECT_EQ(operation.image.Byte(382), 0x0D);
  EXPECT_EQ(operation.image.Byte(0), 0xFF);
  EXPECT_EQ(operation.image.Byte(206), 0xFF);
  EXPECT_EQ(operation.image.Byte(390), 0xFF);
  EXPECT_EQ(operation.selected_interface, SelectedInterface::kM912Vcom);
}

}  // namespace
}  // namespace k470
