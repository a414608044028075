// The six event output strings of the System page: what the reader sends
// when its trigger or F1/F2 keys are pressed or released, and on which event.
// Each string is a 10-byte text field whose last character may be a CR, which
// the page shows as a check box instead of in the text.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "core/list_entry.h"
#include "core/settings_image.h"

namespace k470 {

struct EventString {
  std::string text;  // without the CR
  bool cr = false;
  friend bool operator==(const EventString&, const EventString&) = default;
};

// How many characters the text may hold: one fewer when a CR follows it.
constexpr std::size_t EventTextLimit(bool cr) {
  return cr ? kEventStringSize - 1 : kEventStringSize;
}

// String `index` (0-5) as the page shows it: the text up to the first 0 byte
// (all ten bytes when there is none), its last CR moved into `cr`.
EventString LoadEventString(const SettingsImage& image, int index);

// Ten 0 bytes, then the text (cut to its limit) and the CR when `cr` is set.
void StoreEventString(SettingsImage& image, int index, const EventString& string);

// The 4-bit action code of string `index`; codes 0-8 have a list entry, 9-15
// are kept as they are.
int EventAction(const SettingsImage& image, int index);
void SetEventAction(SettingsImage& image, int index, int code);

// The "Action" list: "Disable", "Trigger is pressed", ... "F2 + Trigger are
// pressed", codes 0-8.
std::span<const ListEntry> EventActionList();

}  // namespace k470
