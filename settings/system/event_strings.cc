#include "settings/system/event_strings.h"
#include "core/translatable.h"

#include <cassert>

namespace k470 {
namespace {

constexpr char kCr = '\r';

ImageArea StringArea(int index) {
  assert(index >= 0 && index < kEventStringCount);
  return EventStringArea(index);
}

}  // namespace

EventString LoadEventString(const SettingsImage& image, int index) {
  EventString string{image.Text(StringArea(index)), false};
  if (!string.text.empty() && string.text.back() == kCr) {
    string.text.pop_back();
    string.cr = true;
  }
  return string;
}

void StoreEventString(SettingsImage& image, int index, const EventString& string) {
  std::string bytes = string.text.substr(0, EventTextLimit(string.cr));
  if (string.cr) bytes += kCr;
  image.Fill(StringArea(index), 0);
  image.SetText(StringArea(index), bytes);
}

int EventAction(const SettingsImage& image, int index) {
  assert(index >= 0 && index < kEventStringCount);
  return static_cast<int>(image.Field(EventActionField(index)));
}

void SetEventAction(SettingsImage& image, int index, int code) {
  assert(index >= 0 && index < kEventStringCount);
  image.SetField(EventActionField(index), static_cast<std::uint32_t>(code));
}

std::span<const ListEntry> EventActionList() {
  static constexpr ListEntry kList[] = {{K470_TR_NOOP("k470", "Disable"), 0},
                                        {K470_TR_NOOP("k470", "Trigger is pressed"), 1},
                                        {K470_TR_NOOP("k470", "Trigger is released"), 2},
                                        {K470_TR_NOOP("k470", "F1 is pressed"), 3},
                                        {K470_TR_NOOP("k470", "F1 is released"), 4},
                                        {K470_TR_NOOP("k470", "F2 is pressed"), 5},
                                        {K470_TR_NOOP("k470", "F2 is released"), 6},
                                        {K470_TR_NOOP("k470", "F1 + Trigger are pressed"), 7},
                                        {K470_TR_NOOP("k470", "F2 + Trigger are pressed"), 8}};
  return kList;
}

}  // namespace k470
