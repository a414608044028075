// Every named setting with the label the sheet gives it and the control that
// shows it: what `k470ctl show` prints, what `diff` names, and what the tests
// check the real pages against.
#pragma once

#include <span>
#include <string_view>

namespace k470 {

// Where a control lives; ids repeat between pages and dialogs.
enum class SettingPlace {
  kSystemPage,
  kKeyboardDialog,  // "Advanced" of Bluetooth HID and M912 HID
  kSerialDialog,    // "Advanced" of Bluetooth SPP Slave and M912 VCOM
  kTagTypePage,
  kOperationPage,
  kSingleTagModeDialog,
};

struct SettingLabel {
  std::string_view path;   // "system.volume": keys of the JSON form, joined by dots
  std::string_view label;  // "Volume"
  SettingPlace place;
  std::string_view control;  // the control's id, its objectName
};

// In the sheet's order. The interface options hold only the entries of the
// interface the image selects; every other path is always there.
std::span<const SettingLabel> SettingLabels();

const SettingLabel* FindSettingLabel(std::string_view path);

// The heading `show` prints above a group, by the first key of a path.
std::string_view GroupHeading(std::string_view group);

}  // namespace k470
