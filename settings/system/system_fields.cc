#include "settings/system/system_fields.h"

#include "settings/system/interface_selection.h"

namespace k470 {
namespace {

constexpr std::size_t kShutdownByte = 0;
constexpr std::size_t kPowerSavingByte = 1;
constexpr std::size_t kIndicatorByte = 2;  // bit 0 vibrator, 1 LED, 2 beep, 3 command beep
constexpr std::size_t kLedDurationByte = 3;
constexpr std::size_t kVibratorDurationByte = 4;
constexpr std::size_t kBeeperByte = 5;  // bits 0-1 alert, 2-3 frequency, 4-5 duration, 6-7 volume
constexpr std::size_t kPowerLevelByte = 206;

}  // namespace

SystemFields LoadSystemFields(const SettingsImage& image) {
  SystemFields f;
  f.shutdown_timeout = image.Byte(kShutdownByte);
  f.power_saving_timeout = image.Byte(kPowerSavingByte);
  f.low_battery_alert = image.Bits(kBeeperByte, 0, 2) != 0;
  f.good_read_led = image.Bit(kIndicatorByte, 1);
  f.led_duration = image.Byte(kLedDurationByte);
  f.good_read_vibrator = image.Bit(kIndicatorByte, 0);
  f.vibrator_duration = image.Byte(kVibratorDurationByte);
  const int volume = static_cast<int>(image.Bits(kBeeperByte, 6, 2));
  f.beeper_on = volume != 0;
  f.volume = f.beeper_on ? volume : 3;
  f.frequency = static_cast<int>(image.Bits(kBeeperByte, 2, 2));
  f.beep_duration = static_cast<int>(image.Bits(kBeeperByte, 4, 2));
  f.good_read_beep = image.Bit(kIndicatorByte, 2);
  f.command_beep = image.Bit(kIndicatorByte, 3);
  for (int i = 0; i < kEventStringCount; ++i) {
    f.actions[static_cast<std::size_t>(i)] = EventAction(image, i);
    f.strings[static_cast<std::size_t>(i)] = LoadEventString(image, i);
  }
  f.power_level = image.Byte(kPowerLevelByte);
  return f;
}

void StoreSystemFields(const SystemFields& f, std::optional<SelectedInterface> interface,
                       SettingsImage& image) {
  if (interface) EncodeSelectedInterface(*interface, image);
  image.SetByte(kShutdownByte, static_cast<std::uint8_t>(f.shutdown_timeout));
  image.SetByte(kPowerSavingByte, static_cast<std::uint8_t>(f.power_saving_timeout));
  image.SetBits(kBeeperByte, 0, 2, f.low_battery_alert ? 1 : 0);
  image.SetBit(kIndicatorByte, 1, f.good_read_led);
  image.SetByte(kLedDurationByte, static_cast<std::uint8_t>(f.led_duration));
  image.SetBit(kIndicatorByte, 0, f.good_read_vibrator);
  image.SetByte(kVibratorDurationByte, static_cast<std::uint8_t>(f.vibrator_duration));
  // The beeper box writes 1 and the volume list then replaces it: a beeper
  // that is on always stores its volume.
  image.SetBits(kBeeperByte, 6, 2, f.beeper_on ? 1 : 0);
  image.SetBits(kBeeperByte, 2, 2, static_cast<std::uint32_t>(f.frequency));
  image.SetBits(kBeeperByte, 4, 2, static_cast<std::uint32_t>(f.beep_duration));
  if (image.Bits(kBeeperByte, 6, 2) != 0) {
    image.SetBits(kBeeperByte, 6, 2, static_cast<std::uint32_t>(f.volume));
  }
  image.SetBit(kIndicatorByte, 2, f.good_read_beep);
  image.SetBit(kIndicatorByte, 3, f.command_beep);
  for (int i = 0; i < kEventStringCount; ++i) {
    SetEventAction(image, i, f.actions[static_cast<std::size_t>(i)]);
    StoreEventString(image, i, f.strings[static_cast<std::size_t>(i)]);
  }
  image.SetByte(kPowerLevelByte, static_cast<std::uint8_t>(f.power_level));
  // The reader's command beep is not offered; whatever a file held is cleared.
  image.SetBit(kIndicatorByte, 3, false);
}

std::span<const ListEntry> BeepFrequencyList() {
  static constexpr ListEntry kList[] = {{"8 kHz", 0}, {"4 kHz", 1}, {"2 kHz", 2}, {"1 kHz", 3}};
  return kList;
}

std::span<const ListEntry> BeepDurationList() {
  static constexpr ListEntry kList[] = {
      {"Shortest", 0}, {"Short", 1}, {"Longer", 2}, {"Longest", 3}};
  return kList;
}

std::span<const ListEntry> VolumeList() {
  static constexpr ListEntry kList[] = {{"Low", 1}, {"Medium", 2}, {"High", 3}};
  return kList;
}

std::span<const ListEntry> PowerLevelList() {
  static constexpr ListEntry kList[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}};
  return kList;
}

}  // namespace k470
