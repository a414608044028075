#include "shell/window_tour.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include "link/clock.h"
#include "link/failed_lines.h"
#include "link/memory_upload.h"
#include "link/native_serial_port.h"
#include "pages/operation/key_picker_dialog.h"
#include "pages/settings_pages.h"
#include "pages/tagfilter/single_tag_mode_dialog.h"
#include "settings/operation/epc_delimiter.h"
#include "settings/operation/operation_page_ids.h"
#include "settings/operation/operation_settings.h"
#include "settings/system/system_page_ids.h"
#include "settings/tagfilter/epc_filter.h"
#include "shell/device_settings_sheet.h"
#include "shell/dialogs/about_dialog.h"
#include "shell/dialogs/com_port_properties_dialog.h"
#include "shell/dialogs/failed_dialog.h"
#include "shell/dialogs/pin_code_dialog.h"
#include "shell/dialogs/progress_window.h"
#include "shell/dialogs/upload_dialog.h"
#include "shell/main_window.h"
#include "shell/recent_files_menu.h"
#include "widgets/modal.h"

namespace k470::gui {
namespace {

class Shooter {
 public:
  explicit Shooter(const WindowVisitor& visit) : visit_(visit) {}

  // Shows `widget`, lets it lay itself out and paint, and hands it on.
  void Save(QWidget& widget, const QString& name) {
    widget.show();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    visit_(widget, name);
  }

  // Every modal dialog goes through ExecDialog: hand it on, then cancel it.
  void SaveNextDialogAs(const QString& name) {
    SetDialogHandler([this, name](QDialog& dialog) {
      Save(dialog, name);
      dialog.hide();
      return static_cast<int>(QDialog::Rejected);
    });
  }

 private:
  const WindowVisitor& visit_;
};

// The sheet on each of its tabs.
void ShootSheetTabs(Shooter& shooter, AppState& state, MainWindow& window) {
  for (int tab = 0; tab < 4; ++tab) {
    DeviceSettingsSheet sheet(state, DefaultSettingsPages(), {}, &window);
    sheet.tabs()->setCurrentIndex(tab);
    shooter.Save(sheet, tab == 0 ? QStringLiteral("device-settings")
                                 : QStringLiteral("device-settings-%1").arg(tab + 1));
    sheet.hide();
  }
}

void ShootInterfaceDialogs(Shooter& shooter, AppState& state, MainWindow& window) {
  // The interface dialogs, each opened by its "Advanced" button.
  DeviceSettingsSheet sheet(state, DefaultSettingsPages(), {}, &window);
  const char* const names[] = {"bluetooth-spp-slave", "bluetooth-hid", "m912-vcom", "m912-hid"};
  for (int i = 0; i < 4; ++i) {
    sheet.findChild<QRadioButton*>(QString::number(system_page_ids::kInterfaceRadios[i]))->click();
    shooter.SaveNextDialogAs(QStringLiteral("interface-%1").arg(QLatin1String(names[i])));
    sheet.findChild<QPushButton*>(QString::number(system_page_ids::kAdvancedButtons[i]))->click();
  }
  // Date & Time with its controls in use.
  state.clock_mode = ClockMode::kSetTimeAndDate;
  sheet.tabs()->setCurrentIndex(3);
  shooter.Save(sheet, QStringLiteral("device-settings-4-set-time"));
  sheet.hide();
}

void ShootSingleTagModeDialog(Shooter& shooter, AppState& state, MainWindow& window) {
  // The Single TAG Mode dialog as each scan mode opens it, over filters
  // that show its scheme captions: SGTIN-96 by item reference, ADI-var by
  // part number.
  AppState single = state;
  single.pending_scan_mode = kScanModeSingleTag;
  shooter.SaveNextDialogAs(QStringLiteral("single-tag-mode-single"));
  OpenSingleTagModeDialog(single, &window);

  AppState multi = state;
  multi.pending_scan_mode = kScanModeMultiTag;
  multi.beeper_on = true;
  FilterChoice item_reference{
      FilterType::kIncludeEpc, FilterMethod::kSecondField, 0x30, {}, "12345", "12399", 6u};
  StoreFilter(item_reference, multi.image);
  shooter.SaveNextDialogAs(QStringLiteral("single-tag-mode-multi"));
  OpenSingleTagModeDialog(multi, &window);

  AppState test = state;
  test.pending_scan_mode = kScanModeTest;
  FilterChoice part_number{
      FilterType::kExcludeEpc, FilterMethod::kSecondField, 0x3B, {}, "AB1", "AB12", {}};
  StoreFilter(part_number, test.image);
  shooter.SaveNextDialogAs(QStringLiteral("single-tag-mode-test"));
  OpenSingleTagModeDialog(test, &window);
}

void ShootOperationTab(Shooter& shooter, AppState& state, MainWindow& window) {
  // The Operation tab with its output controls on, and its Delimiter dialog.
  AppState raw = state;
  raw.image.SetField(kDataFormat, kDataFormatRaw);
  raw.image.Fill(kDelimiter, ',');
  DeviceSettingsSheet sheet(raw, DefaultSettingsPages(), {}, &window);
  sheet.tabs()->setCurrentIndex(2);
  shooter.Save(sheet, QStringLiteral("device-settings-3-raw-data"));
  shooter.SaveNextDialogAs(QStringLiteral("delimiter"));
  sheet.findChild<QPushButton*>(QString::number(operation_page_ids::kDelimiter))->click();
  sheet.hide();
}

void ShootKeyPickers(Shooter& shooter, MainWindow& window) {
  // The key picker in its three forms, each opened on a field that holds keys.
  const struct {
    const char* name;
    SelectedInterface interface;
    KeyBuffer field;
  } pickers[] = {
      {"key-picker-ascii", SelectedInterface::kBluetoothSpp, {'I', 'D', 0x0D, '&'}},
      {"key-picker-normal-key", SelectedInterface::kBluetoothHid, {0xC1, 'a', 0x0D}},
      {"key-picker-scan-code", SelectedInterface::kM912Hid, {0xC0, 0x1C, 0xC0, 0x2A}},
  };
  for (const auto& picker : pickers) {
    KeyPickerDialog dialog(picker.field, kKeyFieldSize, picker.interface, &window);
    shooter.Save(dialog, QLatin1String(picker.name));
    dialog.hide();
  }
}

// File > Open Recent with a few files in it.
void ShootRecentFiles(Shooter& shooter, const std::string& config_folder, MainWindow& window) {
  RecentFiles files;
  for (const char* path : {"/srv/readers/warehouse & dock.K470", "/home/operator/lab.K470",
                           "/home/operator/site.K470"}) {
    files.Add(path);
  }
  WriteRecentFiles(config_folder, files);
  auto* menu = window.findChild<RecentFilesMenu*>();
  menu->Refresh();
  shooter.Save(*menu, QStringLiteral("open-recent"));
  menu->hide();
}

}  // namespace

void TourWindows(const WindowVisitor& visit) {
  QTemporaryDir config;
  Shooter shooter(visit);

  // A run with one reader port found and no reader answering yet.
  AppState state;
  const std::vector<std::string> ports = {
      "/dev/serial/by-id/usb-K470_UHF_RFID_Reader_K471-000123-if00", "/dev/ttyACM1", "-Select-"};
  state.port_list = ports;
  MainWindowServices services = DefaultMainWindowServices(config.path().toStdString());
  services.discover_ports = [ports] { return ports; };
  services.port_can_be_opened = [](const std::string&) { return false; };
  MainWindow window(state, std::move(services));
  shooter.Save(window, QStringLiteral("main-window"));
  ShootRecentFiles(shooter, config.path().toStdString(), window);

  ShootSheetTabs(shooter, state, window);
  ShootInterfaceDialogs(shooter, state, window);
  ShootSingleTagModeDialog(shooter, state, window);
  ShootOperationTab(shooter, state, window);
  ShootKeyPickers(shooter, window);

  // The dialogs of the device operations.
  shooter.SaveNextDialogAs(QStringLiteral("failed-port"));
  FailedDialog::Ask(FailedLinesFor(FailureKind::kPortCannotBeOpened), &window);
  shooter.SaveNextDialogAs(QStringLiteral("failed-reader"));
  FailedDialog::Ask(FailedLinesFor(FailureKind::kReaderDoesNotAnswer), &window);

  const std::string folder_name = config.path().toStdString();
  shooter.SaveNextDialogAs(QStringLiteral("com-port-read"));
  ComPortPropertiesDialog::Show(state, DeviceOperation::kReadSettings, folder_name, &window);
  shooter.SaveNextDialogAs(QStringLiteral("com-port-download"));
  ComPortPropertiesDialog::Show(state, DeviceOperation::kDownloadSettings, folder_name, &window);

  NativeSerialPort shell_port;
  const auto status = [&window](const QString& text) { window.SetStatusText(text); };
  const auto lister = [ports] { return ports; };
  {
    PinCodeDialog dialog(state, shell_port, SteadyClock(), lister, status, &window);
    shooter.SaveNextDialogAs(QStringLiteral("bt-pin-code"));
    ExecDialog(dialog);
  }
  {
    FileByteSink sink;
    UploadDialog dialog(state, shell_port, sink, lister, status, &window);
    shooter.SaveNextDialogAs(QStringLiteral("upload-memoried-data"));
    ExecDialog(dialog);
  }
  shooter.SaveNextDialogAs(QStringLiteral("about"));
  AboutDialog::Show(&window);
  SetDialogHandler({});

  ProgressWindow progress(&window);
  progress.Begin("Downloading...", "Downloading", 40);
  progress.SetPosition(17);
  shooter.Save(progress, QStringLiteral("progress"));
  progress.End();
}

}  // namespace k470::gui
