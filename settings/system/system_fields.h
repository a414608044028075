// The System page's settings as values: loaded from the settings image and
// stored back in the order the page's OK stores them. The page and k470ctl
// both go through these, so they cannot disagree on a bit.
//
// Codes are kept as stored: a code that has no list entry (an action of 9-15,
// a power level above 3) is loaded and stored again unchanged.
#pragma once

#include <array>
#include <optional>
#include <span>

#include "core/app_state.h"
#include "core/list_entry.h"
#include "settings/system/event_strings.h"

namespace k470 {

// Ranges of the page's numeric edits.
inline constexpr unsigned kMaxTimeout = 254;  // minutes, from 0
inline constexpr unsigned kMinDuration = 1;   // LED in 10 ms, vibrator in 100 ms units
inline constexpr unsigned kMaxDuration = 254;

struct SystemFields {
  unsigned shutdown_timeout = 0;      // byte 0, minutes
  unsigned power_saving_timeout = 0;  // byte 1, minutes
  bool low_battery_alert = false;     // byte 5 bits 0-1 not 0
  bool good_read_led = false;         // byte 2 bit 1
  unsigned led_duration = 0;          // byte 3
  bool good_read_vibrator = false;    // byte 2 bit 0
  unsigned vibrator_duration = 0;     // byte 4
  bool beeper_on = false;             // byte 5 bits 6-7 not 0
  int volume = 3;                     // those bits when on; "High" (3) when off
  int frequency = 0;                  // byte 5 bits 2-3
  int beep_duration = 0;              // byte 5 bits 4-5
  bool good_read_beep = false;        // byte 2 bit 2
  bool command_beep = false;          // byte 2 bit 3, never shown
  std::array<int, kEventStringCount> actions{};
  std::array<EventString, kEventStringCount> strings{};
  int power_level = 0;  // byte 206

  friend bool operator==(const SystemFields&, const SystemFields&) = default;
};

SystemFields LoadSystemFields(const SettingsImage& image);

// Writes the interface code of `interface` (and the VCOM marker for M912
// VCOM) and every field above; the bits no field names keep their values.
// With no interface (the image's code is none of the four radios, see
// StoredInterface) the stored code and byte 18 are kept as they are.
// The hidden "Command Indicating Beep" ends up cleared whatever it holds.
void StoreSystemFields(const SystemFields& fields, std::optional<SelectedInterface> interface,
                       SettingsImage& image);

// The page's lists, each entry's code its stored value.
std::span<const ListEntry> BeepFrequencyList();  // "8 kHz" ... "1 kHz", codes 0-3
std::span<const ListEntry> BeepDurationList();   // "Shortest" ... "Longest", codes 0-3
std::span<const ListEntry> VolumeList();         // "Low", "Medium", "High", codes 1-3
std::span<const ListEntry> PowerLevelList();     // "0" ... "3"

}  // namespace k470
