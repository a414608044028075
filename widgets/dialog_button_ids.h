// Control ids of the OK and Cancel buttons of the Device Settings sheet and
// of the dialogs: each button carries its id as its objectName.
#pragma once

namespace k470::dialog_button_ids {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

}  // namespace k470::dialog_button_ids
