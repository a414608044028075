// Asks the user for a settings file (*.K470) to open or to save to. The main
// window takes a chooser so tests can supply paths without a file dialog.
#pragma once

#include <QtGlobal>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace k470::gui {

inline constexpr char kSettingsFileFilter[] =
    QT_TRANSLATE_NOOP("k470::gui", "K470 settings (*.K470)");

struct SettingsFileChooser {
  // An existing file to open; nullopt when the user cancelled.
  std::function<std::optional<std::string>(QWidget* owner)> choose_open;
  // A name to save under (SaveAs adds ".K470" when needed); nullopt on cancel.
  std::function<std::optional<std::string>(QWidget* owner)> choose_save;
};

// The file dialogs of the program, run through ExecDialog: one filter, the
// file must exist for Open; the default extension "K470" and a confirmation
// before overwriting for Save.
SettingsFileChooser SettingsFileDialogs();

}  // namespace k470::gui
