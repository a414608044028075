#include "settings/system/system_fields.h"

#include "core/translatable.h"
#include "settings/system/interface_selection.h"

namespace k470 {

SystemFields LoadSystemFields(const SettingsImage& image) {
  SystemFields f;
  f.shutdown_timeout = image.Field(kShutdownTimeout);
  f.power_saving_timeout = image.Field(kPowerSavingTimeout);
  f.low_battery_alert = image.Field(kLowBatteryAlert) != 0;
  f.good_read_led = image.Field(kGoodReadLed) != 0;
  f.led_duration = image.Field(kLedDuration);
  f.good_read_vibrator = image.Field(kGoodReadVibrator) != 0;
  f.vibrator_duration = image.Field(kVibratorDuration);
  const int volume = static_cast<int>(image.Field(kVolume));
  f.beeper_on = volume != 0;
  f.volume = f.beeper_on ? volume : 3;
  f.frequency = static_cast<int>(image.Field(kBeepFrequency));
  f.beep_duration = static_cast<int>(image.Field(kBeepDuration));
  f.good_read_beep = image.Field(kGoodReadBeep) != 0;
  f.command_beep = image.Field(kCommandBeep) != 0;
  for (int i = 0; i < kEventStringCount; ++i) {
    f.actions[static_cast<std::size_t>(i)] = EventAction(image, i);
    f.strings[static_cast<std::size_t>(i)] = LoadEventString(image, i);
  }
  f.power_level = image.Field(kRfidPower);
  return f;
}

void StoreSystemFields(const SystemFields& f, std::optional<SelectedInterface> interface,
                       SettingsImage& image) {
  if (interface) EncodeSelectedInterface(*interface, image);
  image.SetField(kShutdownTimeout, static_cast<std::uint8_t>(f.shutdown_timeout));
  image.SetField(kPowerSavingTimeout, static_cast<std::uint8_t>(f.power_saving_timeout));
  image.SetField(kLowBatteryAlert, f.low_battery_alert ? 1 : 0);
  image.SetField(kGoodReadLed, f.good_read_led);
  image.SetField(kLedDuration, static_cast<std::uint8_t>(f.led_duration));
  image.SetField(kGoodReadVibrator, f.good_read_vibrator);
  image.SetField(kVibratorDuration, static_cast<std::uint8_t>(f.vibrator_duration));
  // The beeper box writes 1 and the volume list then replaces it: a beeper
  // that is on always stores its volume.
  image.SetField(kVolume, f.beeper_on ? 1 : 0);
  image.SetField(kBeepFrequency, static_cast<std::uint32_t>(f.frequency));
  image.SetField(kBeepDuration, static_cast<std::uint32_t>(f.beep_duration));
  if (image.Field(kVolume) != 0) {
    image.SetField(kVolume, static_cast<std::uint32_t>(f.volume));
  }
  image.SetField(kGoodReadBeep, f.good_read_beep);
  image.SetField(kCommandBeep, f.command_beep);
  for (int i = 0; i < kEventStringCount; ++i) {
    SetEventAction(image, i, f.actions[static_cast<std::size_t>(i)]);
    StoreEventString(image, i, f.strings[static_cast<std::size_t>(i)]);
  }
  image.SetField(kRfidPower, static_cast<std::uint8_t>(f.power_level));
  // The reader's command beep is not offered; whatever a file held is cleared.
  image.SetField(kCommandBeep, false);
}

std::span<const ListEntry> BeepFrequencyList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "8 kHz"), 0},
                                        {K470_TR_NOOP("k470", "4 kHz"), 1},
                                        {K470_TR_NOOP("k470", "2 kHz"), 2},
                                        {K470_TR_NOOP("k470", "1 kHz"), 3}};
  return kList;
}

std::span<const ListEntry> BeepDurationList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Shortest"), 0},
                                        {K470_TR_NOOP("k470", "Short"), 1},
                                        {K470_TR_NOOP("k470", "Longer"), 2},
                                        {K470_TR_NOOP("k470", "Longest"), 3}};
  return kList;
}

std::span<const ListEntry> VolumeList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Low"), 1},
                                        {K470_TR_NOOP("k470", "Medium"), 2},
                                        {K470_TR_NOOP("k470", "High"), 3}};
  return kList;
}

std::span<const ListEntry> PowerLevelList() {
  static constexpr ListEntry kList[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}};
  return kList;
}

}  // namespace k470
