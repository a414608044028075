#include "shell/commands.h"

namespace k470::gui {
namespace {

using enum CommandId;

constexpr Command kCommands[] = {
    {kNew, "&New\tCtrl+N", {"Ctrl+N"}, "Create a new document"},
    {kOpen, "&Open\tCtrl+O", {"Ctrl+O"}, "Open an existing document"},
    {kSave, "&Save\tCtrl+S", {"Ctrl+S"}, "Save the active document"},
    {kSaveAs,
     "Save &As...\tCtrl+Shift+S",
     {"Ctrl+Shift+S"},
     "Save the active document with a new name"},
    // Ctrl+Q as well: what every other desktop program quits with.
    {kExit, "E&xit\tAlt+F4", {"Alt+F4", "Ctrl+Q"}, ""},
    {kConfigureDevice, "&Configure Device\tCtrl+C", {"Ctrl+C"}, "Configure device settings"},
    {kReadSettings, "&Read Settings ...\tCtrl+R", {"Ctrl+R"}, "Read device settings"},
    {kDownloadSettings,
     "&Download Settings ...\tCtrl+D",
     {"Ctrl+D"},
     "Download the current settings to the device"},
    {kBatteryInfo, "&Battery Info. ...\tCtrl+B", {"Ctrl+B"}, ""},
    {kMemorySize, "&Memory Size ... \tCtrl+M", {"Ctrl+M"}, ""},
    {kClearMemory, "C&lear Memory ... \tCtrl+L", {"Ctrl+L"}, ""},
    {kBtPinCode, "BT &PIN Code ... \tCtrl+P", {"Ctrl+P"}, ""},
    {kUploadMemoryData, "&Upload Memory Data ...\tCtrl+U", {"Ctrl+U"}, ""},
    // Enter without a modifier: the main window has no control that wants it.
    {kAbout, "&About\tCtrl+A", {"Ctrl+A", "Return", "Enter"}, ""},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

}  // namespace k470::gui
