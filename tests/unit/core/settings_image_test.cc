// The settings image: its accessors, the checksum pair and the defaults New writes.
#include "core/defaults.h"

#include <gtest/gtest.h>

#include <string_view>

#include "core/checksum.h"

namespace k470 {
namespace {

// The default table: bytes first..last get `value` in the bits of `mask`; all
// other bits keep what they held. side: written by the System reset (S), the
// Operation reset (O), both (B), or only by New (N).
struct Row {
  int first, last;
  std::uint8_t mask, value;
  char side;
};
constexpr Row kTable[] = {
    {0, 0, 0xFF, 10, 'S'},       {1, 1, 0xFF, 2, 'S'},        {2, 2, 0x0F, 0x06, 'S'},
    {3, 3, 0xFF, 4, 'S'},        {4, 4, 0xFF, 10, 'S'},       {5, 5, 0xFF, 0xC5, 'S'},
    {6, 6, 0xFF, 0, 'B'},        {7, 7, 0x0F, 0x01, 'B'},     {8, 8, 0xFF, 0x6F, 'S'},
    {9, 9, 0x01, 0, 'S'},        {16, 16, 0x7F, 0x45, 'S'},   {17, 17, 0xFF, 0x40, 'S'},
    {18, 18, 0xFF, 0x60, 'S'},   {19, 21, 0xFF, 0, 'S'},      {22, 22, 0x01, 0, 'S'},
    {23, 23, 0xFF, 0, 'S'},      {24, 24, 0x3F, 0x20, 'S'},   {28, 31, 0xFF, '0', 'S'},
    {32, 32, 0xFF, 0, 'S'},      {44, 44, 0xFF, 0x20, 'S'},   {45, 45, 0x07, 0, 'S'},
    {46, 46, 0xFF, 0x7F, 'S'},   {47, 55, 0xFF, 0, 'S'},      {80, 80, 0xFF, 6, 'O'},
    {81, 81, 0xFF, 0, 'O'},      {82, 82, 0xFF, 0x80, 'O'},   {83, 83, 0x0F, 0x01, 'O'},
    {88, 88, 0x1F, 0x08, 'O'},   {89, 89, 0x0F, 0, 'O'},      {90, 169, 0xFF, 0, 'O'},
    {170, 170, 0xFF, 5, 'O'},    {171, 204, 0xFF, 0, 'O'},    {205, 205, 0x1F, 0x09, 'S'},
    {206, 206, 0xFF, 3, 'S'},    {207, 207, 0xFF, 0xFF, 'N'}, {208, 208, 0x7F, 0x7F, 'N'},
    {211, 211, 0xFF, '0', 'O'},  {212, 275, 0xFF, 0, 'O'},    {320, 320, 0x0F, 0, 'O'},
    {321, 321, 0xFF, 0xD1, 'O'}, {322, 322, 0x01, 0, 'O'},    {323, 323, 0x07, 0x05, 'O'},
    {324, 324, 0xFF, ' ', 'O'},  {325, 332, 0xFF, 0, 'O'},    {333, 333, 0xFF, '.', 'O'},
    {334, 340, 0xFF, 0, 'O'},    {341, 341, 0xFF, 0xD1, 'O'}, {342, 342, 0xFF, 0xEA, 'O'},
    {343, 343, 0x7F, 0x43, 'O'}, {345, 346, 0xFF, '-', 'O'},  {347, 347, 0xFF, ' ', 'O'},
    {348, 349, 0xFF, ':', 'O'},  {350, 350, 0xFF, 0, 'O'},    {351, 351, 0xFF, ' ', 'O'},
    {352, 358, 0xFF, 0, 'O'},    {359, 359, 0xFF, ' ', 'O'},  {360, 366, 0xFF, 0, 'O'},
    {367, 367, 0xFF, 0x5A, 'O'}, {368, 368, 0x7F, 0, 'O'},    {369, 372, 0xFF, 0, 'O'},
    {373, 373, 0x03, 0, 'O'},    {374, 381, 0xFF, 0, 'O'},    {382, 382, 0xFF, 0x0D, 'O'},
    {383, 389, 0xFF, 0, 'O'},    {410, 449, 0xFF, 0, 'S'},    {450, 450, 0xFF, 0x21, 'S'},
    {451, 452, 0xFF, 0, 'S'},
};
// The trigger event strings (System side), each a 10-byte field.
constexpr std::string_view kTriggerTexts{"#@TRIGON\r\0#@TRIGOFF\r", 20};

SettingsImage::Bytes Expected(std::uint8_t fill, std::string_view sides) {
  SettingsImage::Bytes b;
  b.fill(fill);
  for (const Row& r : kTable) {
    if (sides.find(r.side) == sides.npos) continue;
    for (int i = r.first; i <= r.last; ++i) b[i] = (r.value & r.mask) | (fill & ~r.mask);
  }
  if (sides.find('S') != sides.npos) std::ranges::copy(kTriggerTexts, b.begin() + 390);
  return b;
}

TEST(DefaultsTest, EachResetWritesItsRowsAndKeepsEveryOtherBit) {
  for (const std::uint8_t fill : {0x00, 0xFF}) {
    AppState system, operation, all;
    for (AppState* s : {&system, &operation, &all}) {
      s->image.Fill(0, kImageSize, fill);
      s->selected_interface = SelectedInterface::kM912Hid;
      s->operation_mode = 1;
      s->pending_scan_mode = kScanModeMultiTag;
      s->clock_mode = ClockMode::kSetTimeAndDate;
    }
    ApplySystemDefaults(system);
    ApplyOperationDefaults(operation);
    New(all);
    const std::pair<AppState*, std::string_view> cases[] = {
        {&system, "SB"}, {&operation, "OB"}, {&all, "SOBN"}};
    for (const auto& [state, sides] : cases) {
      const auto want = Expected(fill, sides);
      for (std::size_t i = 0; i < kImageSize; ++i) {
        EXPECT_EQ(state->image.Byte(i), want[i]) << sides << " offset " << i << " fill " << +fill;
      }
    }
    EXPECT_EQ(system.selected_interface, SelectedInterface::kBluetoothSpp);
    EXPECT_EQ(system.pending_scan_mode, kScanModeMultiTag);  // the Operation side's
    EXPECT_EQ(operation.pending_scan_mode, kScanModeSingleTag);
    EXPECT_EQ(operation.selected_interface, SelectedInterface::kM912Hid);  // the System side's
    EXPECT_EQ(all.clock_mode, ClockMode::kSyncWithHost);
  }
}

TEST(SettingsImageDeathTest, FieldsTouchOnlyTheirOwnBitsInsideTheImage) {
  SettingsImage zeros, ones;
  ones.Fill(0, kImageSize, 0xFF);
  for (SettingsImage* im : {&zeros, &ones}) {
    im->SetBits(8, 4, 5, 0x1E5);  // bits 4-8 of the little-endian word at 8 run into byte 9
    im->SetText(400, 10, "0123456789ABC");  // cut to the field, no terminator
  }
  EXPECT_EQ(zeros.Word32(6), 0x00500000u);  // a value too wide is masked, not spilled
  EXPECT_EQ(ones.Word32(6), 0xFE5FFFFFu);
  EXPECT_EQ(ones.Bits(8, 4, 5), 0x05u);
  EXPECT_EQ(ones.Text(400, 12), "0123456789\xFF\xFF");
  ones.SetText(400, 10, "ab");  // the rest of the field is cleared
  EXPECT_EQ(ones.Text(400, 12), "ab");
  EXPECT_EQ(ones.Word16(408), 0);
  EXPECT_DEATH(ones.Word16(639), "out of range");  // never read or write past the image
  EXPECT_DEATH(ones.SetText(630, 11, ""), "out of range");
}

TEST(ChecksumTest, PairIsSumAndComplementOfBytes0To637) {
  SettingsImage im;
  im.Fill(0, kImageSize, 0xFF);  // the old pair must not feed into the new one
  StoreChecksumPair(im);
  EXPECT_EQ(im.Byte(638), 0x82);  // 638 * 0xFF = 0x27B82
  EXPECT_EQ(im.Byte(639), 0x7D);
  im.SetByte(637, 0xFE);
  EXPECT_EQ(ComputeChecksum(im), 0x81);
}

}  // namespace
}  // namespace k470
