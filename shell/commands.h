// The main window's commands: their ids (kept as the actions' objectNames),
// menu texts, accelerators and help texts, and where menu and toolbar show them.
#pragma once

#include <array>
#include <span>

namespace k470::gui {

enum class CommandId {
  kSeparator = 0,  // not a command: a separator in a menu or the toolbar
  kNew = 1110,
  kOpen = 1120,
  kSave = 1130,
  kSaveAs = 1131,  // the id after Save's; Save As has no number of its own
  kExit = 105,
  kConfigureDevice = 1140,
  kReadSettings = 1150,
  kDownloadSettings = 1160,
  kBatteryInfo = 32800,
  kMemorySize = 32801,
  kClearMemory = 32802,
  kBtPinCode = 32807,
  kUploadMemoryData = 32811,
  kAbout = 104,
};

struct Command {
  CommandId id;
  // With its mnemonic and, after a tab, the accelerator as the menu shows it.
  const char* menu_text;
  // Key sequences in QKeySequence's portable text form; unused slots are null.
  std::array<const char*, 3> shortcuts;
  // The string-table text numbered id + 1000: the button's tooltip and the
  // item's help in the status bar. Empty for commands that have none.
  const char* help_text;
};

// Every command, in menu order.
std::span<const Command> AllCommands();

// Menu and toolbar contents in order; kSeparator marks a separator.
inline constexpr CommandId kFileMenu[] = {CommandId::kNew,       CommandId::kOpen,
                                          CommandId::kSave,      CommandId::kSaveAs,
                                          CommandId::kSeparator, CommandId::kExit};
inline constexpr CommandId kToolsMenu[] = {
    CommandId::kConfigureDevice,  CommandId::kSeparator,   CommandId::kReadSettings,
    CommandId::kDownloadSettings, CommandId::kSeparator,   CommandId::kBatteryInfo,
    CommandId::kMemorySize,       CommandId::kClearMemory, CommandId::kSeparator,
    CommandId::kBtPinCode,        CommandId::kSeparator,   CommandId::kUploadMemoryData};
inline constexpr CommandId kHelpMenu[] = {CommandId::kAbout};
inline constexpr CommandId kToolbarButtons[] = {CommandId::kNew,
                                                CommandId::kOpen,
                                                CommandId::kSave,
                                                CommandId::kSeparator,
                                                CommandId::kConfigureDevice,
                                                CommandId::kReadSettings,
                                                CommandId::kDownloadSettings};

}  // namespace k470::gui
