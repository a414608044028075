#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <cerrno>
#include <chrono>
#include <optional>

#include "core/defaults.h"
#include "core/file_env.h"
#include "core/settings_file.h"
#include "core/version.h"
#include "link/clock_command.h"
#include "link/port_discovery.h"
#include "pages/settings_pages.h"
#include "settings/system/interface_selection.h"
#include "shell/device_info_panel.h"
#include "shell/device_settings_sheet.h"
#include "shell/dialogs/about_dialog.h"
#include "shell/dialogs/pin_code_dialog.h"
#include "shell/dialogs/upload_dialog.h"
#include "shell/dialogs/upload_transfer.h"
#include "shell/pictures.h"
#include "shell/window_placement.h"
#include "widgets/modal.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

// Pauses after a successful read (before the sheet opens) and download.
constexpr Millis kAfterReadSettings{1500};
constexpr Millis kAfterDownloadSettings{2000};

constexpr int kStatusFontPixelSize = 16;

QString IdName(CommandId id) { return QString::number(static_cast<int>(id)); }

QString ProgramTitle() {
  return QStringLiteral("K470Configuration ") + QLatin1String(kProgramVersion);
}

// The first settings file among the local files dragged, by its extension as
// the file type is known by: *.K470, in any case.
std::optional<QString> DraggedSettingsFile(const QMimeData* data) {
  if (data == nullptr) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    const QString path = url.toLocalFile();
    if (!path.isEmpty() && QFileInfo(path).suffix().compare(QLatin1String(kSettingsFileExtension),
                                                            Qt::CaseInsensitive) == 0) {
      return path;
    }
  }
  return std::nullopt;
}

QSize ScreenSize(const QWidget& widget) {
  const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

}  // namespace

MainWindowServices DefaultMainWindowServices(std::string config_folder) {
  MainWindowServices services;
  services.config_folder = std::move(config_folder);
  services.discover_ports = [] { return DiscoverPorts(); };
  services.port_can_be_opened = PortCanBeOpened;
  services.file_chooser = SettingsFileDialogs();
  services.settings_pages = DefaultSettingsPages();
  services.local_time = [] { return LocalClockTime(std::chrono::system_clock::now()); };
  return services;
}

MainWindow::MainWindow(AppState& state, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      services_(std::move(services)),
      clock_(services_.clock ? *services_.clock : painting_clock_),
      reader_port_(reader_device_, clock_),
      shell_port_(shell_device_, clock_),
      link_(reader_port_, clock_),
      ui_(state_, this, services_.config_folder, services_.discover_ports,
          [this](const QString& text) { SetStatusText(text); }),
      driver_(state_, link_, ui_, services_.discover_ports) {
  setWindowTitle(ProgramTitle());
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAcceptDrops(true);

  New(state_);
  clean_image_ = state_.image;
  state_.device_info = DeviceInfo{};

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  setCentralWidget(new DeviceInfoPanel(state_.device_info, this));

  const QRect geometry = InitialGeometry(ScreenSize(*this));
  resize(geometry.size());
  move(geometry.topLeft());

  connect(&poll_timer_, &QTimer::timeout, this, &MainWindow::PollPresence);
  poll_timer_.start(kPresencePollPeriodMs);
}

MainWindow::~MainWindow() { poll_timer_.stop(); }

void MainWindow::CreateActions() {
  for (const Command& command : AllCommands()) {
    auto* action = new QAction(tr(command.menu_text), this);
    action->setObjectName(IdName(command.id));
    QList<QKeySequence> keys;
    for (const char* key : command.shortcuts) {
      if (key) keys.append(QKeySequence(QString::fromLatin1(key)));
    }
    action->setShortcuts(keys);
    const QString help = *command.help_text != 0 ? tr(command.help_text) : QString();
    if (!help.isEmpty()) action->setToolTip(help);
    action->setStatusTip(help);
    action->setIcon(ToolbarIcon(command.id));
    action->setIconVisibleInMenu(false);
    const CommandId id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    addAction(action);  // the accelerators work even with the menu bar hidden
    actions_[id] = action;
  }
}

void MainWindow::CreateMenus() {
  const auto add_menu = [this](const char* title, std::span<const CommandId> items) {
    QMenu* menu = menuBar()->addMenu(tr(title));
    for (CommandId id : items) {
      if (id == CommandId::kSeparator) {
        menu->addSeparator();
      } else {
        menu->addAction(actions_.at(id));
      }
    }
  };
  add_menu(QT_TR_NOOP("&File"), kFileMenu);
  add_menu(QT_TR_NOOP("&Tools"), kToolsMenu);
  add_menu(QT_TR_NOOP("&Help"), kHelpMenu);

  // Open Recent stands above Exit, each in a section of its own.
  QMenu* file_menu = menuBar()->actions().front()->menu();
  QAction* exit = actions_.at(CommandId::kExit);
  recent_files_ = new RecentFilesMenu(services_.config_folder, this);
  file_menu->insertMenu(exit, recent_files_);
  file_menu->insertSeparator(exit);
  connect(file_menu, &QMenu::aboutToShow, recent_files_, &RecentFilesMenu::Refresh);
  connect(recent_files_, &RecentFilesMenu::FileChosen, this,
          [this](const QString& path) { RunAsCommand([&] { OpenRecentFile(path); }); });
}

void MainWindow::CreateToolBar() {
  QToolBar* toolbar = addToolBar(tr("Toolbar"));
  toolbar->setObjectName(QStringLiteral("toolbar"));
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setIconSize(kToolbarImageSize);
  toolbar->toggleViewAction()->setEnabled(false);
  for (CommandId id : kToolbarButtons) {
    if (id == CommandId::kSeparator) {
      toolbar->addSeparator();
    } else {
      toolbar->addAction(actions_.at(id));
    }
  }
  setContextMenuPolicy(Qt::NoContextMenu);
}

void MainWindow::CreateStatusBar() {
  QFont bold = statusBar()->font();
  bold.setPixelSize(kStatusFontPixelSize);
  bold.setBold(true);
  statusBar()->setFont(bold);
  statusBar()->setSizeGripEnabled(false);
  status_text_ = new QLabel(Translated(kStatusPortClosed));
  status_text_->setObjectName(QStringLiteral("statusText"));
  status_text_->setFont(bold);
  statusBar()->addWidget(status_text_, 1);
}

QString MainWindow::StatusText() const { return status_text_->text(); }

void MainWindow::SetStatusText(const QString& text) {
  status_text_->setText(text);
  status_text_->repaint();
}

void MainWindow::PollPresence() {
  const std::string& first = state_.port_list.empty() ? std::string() : state_.port_list.front();
  state_.reader_present = services_.port_can_be_opened && services_.port_can_be_opened(first);
  SetStatusText(Translated(state_.reader_present ? kStatusPortOpened : kStatusPortClosed));
}

void MainWindow::RunAsCommand(const std::function<void()>& body) {
  if (command_running_) return;
  poll_timer_.stop();
  command_running_ = true;
  body();
  command_running_ = false;

  SetStatusText(Translated(kStatusDisconnected));
  poll_timer_.start(kPresencePollPeriodMs);
  centralWidget()->update();
  UpdateTitle();
}

void MainWindow::UpdateTitle() {
  const QString path = QString::fromStdString(state_.settings_path);
  setWindowFilePath(path);
  if (path.isEmpty()) {
    setWindowModified(false);
    setWindowTitle(ProgramTitle());
    return;
  }
  // Qt shows "[*]" as "*" while the window is modified, and as nothing else.
  setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*] \u2014 ") + ProgramTitle());
  setWindowModified(state_.image != clean_image_);
}

void MainWindow::OpenFile(const QString& path) {
  RunAsCommand([&] {
    if (MayDropEdits()) LoadSettingsFile(path.toStdString());
  });
}

void MainWindow::RunCommand(CommandId id) {
  if (id == CommandId::kExit) {
    if (command_running_) return;
    poll_timer_.stop();
    close();
    return;
  }
  RunAsCommand([this, id] { Dispatch(id); });
}

void MainWindow::Dispatch(CommandId id) {
  using enum CommandId;
  switch (id) {
    case kNew:
      NewSettings();
      break;
    case kOpen:
      OpenSettings();
      break;
    case kSave:
      SaveSettings();
      break;
    case kSaveAs:
      SaveSettingsAs();
      break;
    case kConfigureDevice:
      OpenSheet();
      break;
    case kReadSettings:
      ReadSettings();
      break;
    case kDownloadSettings:
      DownloadSettings();
      break;
    case kBatteryInfo:
      RunServiceQuery(DeviceOperation::kBatteryQuery);
      break;
    case kMemorySize:
      RunServiceQuery(DeviceOperation::kMemorySizeQuery);
      break;
    case kClearMemory:
      RunServiceQuery(DeviceOperation::kClearMemory);
      break;
    case kBtPinCode:
      SendPinCode();
      break;
    case kUploadMemoryData:
      UploadMemoryData();
      break;
    case kAbout:
      AboutDialog::Show(this);
      break;
    case kExit:
    case kSeparator:
      break;
  }
}

void MainWindow::OpenSheet() {
  SheetServices sheet_services;
  sheet_services.local_time = services_.local_time;
  sheet_services.set_reader_clock = [this](const ClockTime& time, QWidget* owner) {
    SetReaderClock(time, owner);
  };
  OpenDeviceSettings(state_, this, services_.settings_pages, sheet_services);
}

void MainWindow::SetReaderClock(const ClockTime& time, QWidget* owner) {
  DeviceRequest request = RequestFor(DeviceOperation::kSetClock);
  request.clock_command = MakeClockCommand(time);
  QWidget* const main_owner = ui_.SetOwner(owner);
  RunDeviceOperation(request);
  ui_.SetOwner(main_owner);
}

void MainWindow::NewSettings() {
  if (!MayDropEdits()) return;
  state_.settings_path.clear();
  New(state_);
  clean_image_ = state_.image;
  OpenSheet();
}

void MainWindow::OpenSettings() {
  if (!MayDropEdits()) return;
  // Cancelling the file dialog keeps the settings and the file they belong to.
  const auto chosen = services_.file_chooser.choose_open(this);
  if (chosen) LoadSettingsFile(*chosen);
}

void MainWindow::LoadSettingsFile(const std::string& path) {
  state_.settings_path.clear();
  errno = 0;
  if (!Open(state_, path)) {
    // The image is as it was; a file that was asked for and not opened is
    // said, not passed over.
    const int error = errno;
    ShowMessageBox(
        this, QMessageBox::Warning, tr("Failed!"),
        tr("The settings could not be opened from\n%1\n\n%2.")
            .arg(QString::fromStdString(path), QString::fromLocal8Bit(FileErrorText(error))));
    return;
  }
  clean_image_ = state_.image;
  recent_files_->Remember(QString::fromStdString(state_.settings_path));
  UpdateTitle();
  OpenSheet();
}

void MainWindow::OpenRecentFile(const QString& path) {
  if (!QFileInfo::exists(path)) {
    recent_files_->Forget(path);
    ShowMessageBox(this, QMessageBox::Warning, tr("Failed!"),
                   tr("%1\n\nThe file no longer exists. It has been removed from "
                      "the recent files.")
                       .arg(QDir::toNativeSeparators(path)));
    return;
  }
  if (MayDropEdits()) LoadSettingsFile(path.toStdString());
}

bool MainWindow::SaveSettings() {
  // Save writes to the current path, or asks for a name as Save As does.
  std::optional<std::string> asked;
  bool cancelled = false;
  const std::string current = state_.settings_path;
  errno = 0;
  const bool saved = Save(state_, [&] {
    asked = services_.file_chooser.choose_save(this);
    cancelled = !asked;
    return asked;
  });
  const int error = errno;
  if (saved) {
    clean_image_ = state_.image;
    recent_files_->Remember(QString::fromStdString(state_.settings_path));
  } else if (asked) {
    ShowSaveAsFailure(*asked, error);
  } else if (!cancelled) {
    ShowSaveFailure(current, error);
  }
  return saved;
}

bool MainWindow::SaveSettingsAs() {
  const auto chosen = services_.file_chooser.choose_save(this);
  if (!chosen) return false;
  errno = 0;
  if (!SaveAs(state_, *chosen)) {
    ShowSaveAsFailure(*chosen, errno);
    return false;
  }
  clean_image_ = state_.image;
  recent_files_->Remember(QString::fromStdString(state_.settings_path));
  return true;
}

void MainWindow::ShowSaveAsFailure(const std::string& chosen, int error) {
  // Save As writes to the name with ".K470" added, and refuses one too long.
  const std::optional<std::string> name = SettingsFileNameFor(chosen);
  ShowSaveFailure(name.value_or(chosen), name ? error : ENAMETOOLONG);
}

void MainWindow::ShowSaveFailure(const std::string& path, int error) {
  const QString reason = QString::fromLocal8Bit(FileErrorText(error));
  ShowMessageBox(this, QMessageBox::Warning, tr("Failed!"),
                 tr("The settings could not be saved to\n%1\n\n%2.")
                     .arg(QString::fromLocal8Bit(path), reason));
}

bool MainWindow::MayDropEdits() {
  if (state_.image == clean_image_) return true;
  switch (ShowMessageBox(this, QMessageBox::Question, tr("K470Configuration"),
                         tr("The settings have been changed. Save them?"),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
      return SaveSettings();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

DeviceRequest MainWindow::RequestFor(DeviceOperation operation) const {
  DeviceRequest request(operation);
  request.read_type = state_.read_settings_type;
  request.download_type = state_.download_settings_type;
  return request;
}

bool MainWindow::RunDeviceOperation(const DeviceRequest& request) {
  SetStatusText(Translated(kStatusConnecting));
  return driver_.RunDeviceOperation(request);
}

void MainWindow::ReadSettings() {
  if (!MayDropEdits()) return;
  if (!RunDeviceOperation(RequestFor(DeviceOperation::kReadSettings))) return;
  clean_image_ = state_.image;
  DeriveSelectedInterface(state_);
  clock_.SleepFor(kAfterReadSettings);
  OpenSheet();
}

void MainWindow::DownloadSettings() {
  DeviceRequest request = RequestFor(DeviceOperation::kDownloadSettings);
  if (state_.clock_mode == ClockMode::kSyncWithHost) {
    request.clock_command = MakeClockCommand(services_.local_time());
  }
  if (RunDeviceOperation(request)) {
    // What the reader now holds, checksum pair included, is nothing to lose.
    clean_image_ = state_.image;
    clock_.SleepFor(kAfterDownloadSettings);
  }
}

void MainWindow::RunServiceQuery(DeviceOperation operation) {
  if (!RunDeviceOperation(RequestFor(operation))) return;
  // The reader's text is 8-bit ASCII; Latin-1 shows every byte as itself.
  const QString result = QString::fromLatin1(driver_.result_text().c_str());
  switch (operation) {
    case DeviceOperation::kBatteryQuery:
      ShowMessageBox(this, QMessageBox::Information, tr("Battery"), result);
      break;
    case DeviceOperation::kMemorySizeQuery:
      ShowMessageBox(this, QMessageBox::Information, tr("Memory"), result);
      break;
    default:
      ShowMessageBox(this, QMessageBox::Information, tr("Memory"), tr("Clear Memory Successful!"));
      break;
  }
}

void MainWindow::SendPinCode() {
  PinCodeDialog dialog(
      state_, shell_port_, clock_, services_.discover_ports,
      [this](const QString& text) { SetStatusText(text); }, this);
  ExecDialog(dialog);
}

void MainWindow::UploadMemoryData() {
  UploadDialog dialog(
      state_, shell_port_, upload_file_, services_.discover_ports,
      [this](const QString& text) { SetStatusText(text); }, this);
  if (ExecDialog(dialog) == QDialog::Accepted) {
    RunUploadTransfer(shell_port_, clock_, upload_file_, this);
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isMinimized()) return;
  if (const auto corrected = CorrectedGeometry(size(), ScreenSize(*this))) {
    move(corrected->topLeft());
    resize(corrected->size());
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!command_running_ && DraggedSettingsFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const auto path = DraggedSettingsFile(event->mimeData());
  if (command_running_ || !path) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the sheet is modal, and the program the
  // file came from waits for the drop to end.
  QTimer::singleShot(0, this, [this, file = *path] { OpenFile(file); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A command blocks in the handler; the window goes only once it is over.
  if (command_running_ || !MayDropEdits()) {
    event->ignore();
    return;
  }
  poll_timer_.stop();
  QMainWindow::closeEvent(event);
}

}  // namespace k470::gui
