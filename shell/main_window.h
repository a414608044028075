// The program's one window: menu, toolbar, status bar, the painted device
// information and the port presence poll. Every command runs synchronously in
// RunCommand with the poll stopped; the window owns the reader link, the
// device-operations driver and the shell port that the utility dialogs use.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "link/clock_command.h"
#include "link/device_driver.h"
#include "link/memory_upload.h"
#include "link/native_serial_port.h"
#include "link/reader_link.h"
#include "link/status_texts.h"
#include "shell/commands.h"
#include "shell/painting_waits.h"
#include "shell/qt_device_ui.h"
#include "shell/recent_files_menu.h"
#include "shell/settings_file_chooser.h"
#include "widgets/settings_page.h"

class QAction;
class QLabel;

namespace k470::gui {

inline constexpr int kPresencePollPeriodMs = 3000;

// What the window reaches outside itself. The program takes
// DefaultMainWindowServices(); tests replace single members.
struct MainWindowServices {
  // Where the COM Port Properties dialog writes the .ini file.
  std::string config_folder;
  // Rebuilds the port list for the driver and the port choosers.
  PortDiscoverer discover_ports;
  // The presence poll's probe: can this port be opened right now?
  std::function<bool(const std::string&)> port_can_be_opened;
  // Asks for settings files to open and save.
  SettingsFileChooser file_chooser;
  // The pages of the Device Settings sheet.
  std::vector<PageEntry> settings_pages;
  // The PC's local date and time, for Download Settings and the sheet's pages.
  std::function<ClockTime()> local_time;
  // The time of the reader's exchanges and of the pauses between them; null
  // for the steady clock, with the windows painted while it waits. Tests give
  // a clock that skips the pauses. Must outlive the window.
  Clock* clock = nullptr;
};

// The real ones: DiscoverPorts, PortCanBeOpened, the file dialogs, the
// program's pages and the PC's clock.
MainWindowServices DefaultMainWindowServices(std::string config_folder);

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Resets the settings image to the defaults (New), shows "NA" for the device
  // information and starts the presence poll. `state` must outlive the window.
  MainWindow(AppState& state, MainWindowServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The command handler: stops the poll, runs the command and, except for
  // Exit, ends with "Disconnected!", the poll restarted and a repaint.
  void RunCommand(CommandId id);

  // Opens a settings file by name, as File › Open does once a file is chosen:
  // asks first about unsaved changes, loads it and shows the Device Settings
  // sheet. The command line, a dropped file and the recent files come here.
  void OpenFile(const QString& path);

  // One round of the presence poll: can the first port of the port list be
  // opened? Sets the presence flag and the status text; the list stays as is.
  void PollPresence();

  QString StatusText() const;
  // Writes the status bar and paints it at once (commands block the loop).
  void SetStatusText(const QString& text);

  bool PresencePollActive() const { return poll_timer_.isActive(); }
  AppState& state() { return state_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A .K470 file dropped on the window opens as File › Open does.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();

  // Runs `body` as every command runs: the poll stopped, one command at a
  // time, and at the end "Disconnected!", the poll restarted, the device
  // information repainted and the title brought up to date.
  void RunAsCommand(const std::function<void()>& body);
  // The file's name and a mark while it has unsaved changes, then the
  // program's name; the program's name alone when no file is current.
  void UpdateTitle();
  // The menu commands but Exit.
  void Dispatch(CommandId id);

  void NewSettings();
  void OpenSettings();
  // Loads `path` over fresh defaults and shows the sheet; says so when the
  // file cannot be read. The edits were dealt with before.
  void LoadSettingsFile(const std::string& path);
  // A recent file: one that no longer exists leaves the list, with a word.
  void OpenRecentFile(const QString& path);
  // Save and Save As; true when the file was written.
  bool SaveSettings();
  bool SaveSettingsAs();
  // Says that writing `path` failed, and why (`error`, an errno value); the
  // settings stay marked as changed. The SaveAs form takes the name chosen.
  void ShowSaveFailure(const std::string& path, int error);
  void ShowSaveAsFailure(const std::string& chosen, int error);
  // Before a command replaces or drops edited settings: "Save them?" Yes
  // saves (as Save does), No drops them; false when the command must not go
  // on (Cancel, or a save that did not happen).
  bool MayDropEdits();
  void ReadSettings();
  void DownloadSettings();
  // Battery, memory size and clear memory: the driver, then the result box.
  void RunServiceQuery(DeviceOperation operation);
  void SendPinCode();
  void UploadMemoryData();
  void OpenSheet();
  // "Connecting to K470......", then the driver with `request`.
  bool RunDeviceOperation(const DeviceRequest& request);
  // A request for `operation` with the settings types the user chose last.
  DeviceRequest RequestFor(DeviceOperation operation) const;
  // A page's Set clock: the driver as for any operation, its dialogs over `owner`.
  void SetReaderClock(const ClockTime& time, QWidget* owner);

  AppState& state_;
  MainWindowServices services_;

  NativeSerialPort reader_device_;
  NativeSerialPort shell_device_;
  PaintingClock painting_clock_;
  Clock& clock_;  // services_.clock, else painting_clock_
  PaintingSerialPort reader_port_;
  PaintingSerialPort shell_port_;
  ReaderLink link_;
  QtDeviceUi ui_;
  DeviceDriver driver_;
  FileByteSink upload_file_;

  std::map<CommandId, QAction*> actions_;
  RecentFilesMenu* recent_files_ = nullptr;
  QLabel* status_text_ = nullptr;
  QTimer poll_timer_;
  bool command_running_ = false;
  // The image as last opened, saved, read, downloaded or made new: anything
  // else holds edits the user has not saved.
  SettingsImage clean_image_;
};

}  // namespace k470::gui
