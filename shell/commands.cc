#include "shell/commands.h"

#include <QtGlobal>

namespace k470::gui {
namespace {

using enum CommandId;

constexpr Command kCommands[] = {
    {kNew,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&New\tCtrl+N"),
     {"Ctrl+N"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Create a new document")},
    {kOpen,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Open\tCtrl+O"),
     {"Ctrl+O"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Open an existing document")},
    {kSave,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Save\tCtrl+S"),
     {"Ctrl+S"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Save the active document")},
    {kSaveAs,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Save &As...\tCtrl+Shift+S"),
     {"Ctrl+Shift+S"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Save the active document with a new name")},
    // Ctrl+Q as well: what every other desktop program quits with.
    {kExit, QT_TRANSLATE_NOOP("k470::gui::MainWindow", "E&xit\tAlt+F4"), {"Alt+F4", "Ctrl+Q"}, ""},
    {kConfigureDevice,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Configure Device\tCtrl+C"),
     {"Ctrl+C"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Configure device settings")},
    {kReadSettings,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Read Settings ...\tCtrl+R"),
     {"Ctrl+R"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Read device settings")},
    {kDownloadSettings,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Download Settings ...\tCtrl+D"),
     {"Ctrl+D"},
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "Download the current settings to the device")},
    {kBatteryInfo,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Battery Info. ...\tCtrl+B"),
     {"Ctrl+B"},
     ""},
    {kMemorySize,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Memory Size ... \tCtrl+M"),
     {"Ctrl+M"},
     ""},
    {kClearMemory,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "C&lear Memory ... \tCtrl+L"),
     {"Ctrl+L"},
     ""},
    {kBtPinCode,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "BT &PIN Code ... \tCtrl+P"),
     {"Ctrl+P"},
     ""},
    {kUploadMemoryData,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&Upload Memory Data ...\tCtrl+U"),
     {"Ctrl+U"},
     ""},
    // Enter without a modifier: the main window has no control that wants it.
    {kAbout,
     QT_TRANSLATE_NOOP("k470::gui::MainWindow", "&About\tCtrl+A"),
     {"Ctrl+A", "Return", "Enter"},
     ""},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

}  // namespace k470::gui
