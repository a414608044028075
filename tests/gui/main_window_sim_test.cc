// The main window's device commands end to end: the real serial port code
// against the virtual reader on a pseudo-terminal, with the port taken from
// the .ini file of a configuration folder of the test's own. Message boxes
// and dialogs are answered by the test.
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "link/com_port_settings.h"
#include "shell/dialogs/pin_code_dialog.h"
#include "shell/dialogs/upload_dialog.h"
#include "shell/main_window.h"
#include "shell/modal.h"
#include "sim/pty_reader.h"

namespace k470::gui {
namespace {

constexpr char kHostClock[] = "#@SYS_TIME=24,02,29,12,34,56\r";

}  // namespace

class MainWindowSimTest : public QObject {
  Q_OBJECT

 private:
  // A window whose configured port is the virtual reader, read from the .ini
  // file the way the program starts; the reader is also the one port found.
  std::unique_ptr<MainWindow> MakeWindow() {
    const std::string folder = ConfigurationFolder();
    if (!WriteConfiguredPort(folder, reader_->device_path())) return nullptr;
    state_ = AppState{};
    state_.configured_port = ReadConfiguredPort(folder);
    const std::vector<std::string> ports = {reader_->device_path(), "-Select-"};
    state_.port_list = ports;

    MainWindowServices services = DefaultMainWindowServices(folder);
    services.discover_ports = [ports] { return ports; };
    services.host_clock_command = [] { return std::string(kHostClock); };
    return std::make_unique<MainWindow>(state_, std::move(services));
  }

  AppState state_;
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<sim::PtyReader> reader_;
  QStringList dialogs_;
  QStringList boxes_;

 private slots:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("XDG_CONFIG_HOME", home_->path().toUtf8());

    sim::ReaderConfig config;
    config.memorized_data = sim::MakeMemorizedData(5);
    config.upload_gap = Millis(1);
    SettingsImage image = sim::FactoryImage();
    image.SetBits(16, 3, 3, 5);  // interface code of Bluetooth HID
    image.SetByte(300, 0x42);
    config.current_image = image;
    reader_ = std::make_unique<sim::PtyReader>(config);
    std::string error;
    QVERIFY2(reader_->Start(&error), error.c_str());

    dialogs_.clear();
    boxes_.clear();
    SetDialogHandler([this](QDialog& dialog) {
      dialogs_ << dialog.windowTitle();
      return static_cast<int>(QDialog::Rejected);
    });
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      boxes_ << r.caption + ": " + r.text;
      return QMessageBox::Ok;
    });
  }

  void cleanup() {
    SetDialogHandler({});
    SetMessageBoxHandler({});
    reader_.reset();
    qunsetenv("XDG_CONFIG_HOME");
  }

  void readSettingsTakesTheReadersImageThenOpensTheSheet() {
    auto window = MakeWindow();
    QVERIFY(window);
    QString status_in_sheet;
    SetDialogHandler([&](QDialog& dialog) {
      dialogs_ << dialog.windowTitle();
      status_in_sheet = window->StatusText();
      return static_cast<int>(QDialog::Rejected);
    });
    QElapsedTimer timer;
    timer.start();
    window->RunCommand(CommandId::kReadSettings);

    QCOMPARE(boxes_, QStringList{});
    QCOMPARE(dialogs_, QStringList{"Device Settings"});
    QCOMPARE(status_in_sheet, QStringLiteral("Connected!"));
    QVERIFY(timer.elapsed() >= 1500);  // the pause before the sheet
    QVERIFY(state_.image == reader_->current_image());
    QCOMPARE(state_.selected_interface, SelectedInterface::kBluetoothHid);
    QVERIFY(state_.device_info.serial_number == "K471-000123");
    QVERIFY(state_.device_info.bt_mac_id == "00:1B:DC:0F:47:10");
    QCOMPARE(window->StatusText(), QStringLiteral("Disconnected!"));
    QVERIFY(window->PresencePollActive());
  }

  void downloadSetsTheReadersClockOnlyInClockModeOne() {
    auto window = MakeWindow();
    QVERIFY(window);
    state_.clock_mode = ClockMode::kSetTimeAndDate;
    window->RunCommand(CommandId::kDownloadSettings);
    QVERIFY(!reader_->clock());

    state_.clock_mode = ClockMode::kSyncWithHost;
    state_.image.SetByte(300, 0x77);
    window->RunCommand(CommandId::kDownloadSettings);
    QCOMPARE(boxes_, QStringList(2, "Download: Downloaded completely!"));
    QVERIFY(reader_->current_image() == state_.image);  // checksum pair included
    QVERIFY(reader_->clock() == (sim::ReaderTime{2024, 2, 29, 12, 34, 56}));
    const std::vector<std::string> lines = reader_->received_lines();
    const auto clock = std::find(lines.begin(), lines.end(), kHostClock);
    QVERIFY(clock != lines.end() && std::find(clock, lines.end(), "#@402718\r") != lines.end());
    QCOMPARE(lines.back(), std::string("UPDATE\r"));
    QCOMPARE(window->StatusText(), QStringLiteral("Disconnected!"));
  }

  void serviceQueriesShowTheirResults() {
    auto window = MakeWindow();
    QVERIFY(window);
    window->RunCommand(CommandId::kBatteryInfo);
    window->RunCommand(CommandId::kClearMemory);
    QCOMPARE(boxes_.size(), 2);
    QVERIFY2(boxes_[0].startsWith("Battery: ") && boxes_[0].contains("3.95V"),
             qPrintable(boxes_[0]));
    QCOMPARE(boxes_[1], QStringLiteral("Memory: Clear Memory Successful!"));
  }

  void pinCodeGoesOutOnTheChosenPort() {
    auto window = MakeWindow();
    QVERIFY(window);
    SetDialogHandler([&](QDialog& dialog) {
      auto& pin = dynamic_cast<PinCodeDialog&>(dialog);
      pin.pin_edit()->setText(QStringLiteral("4321"));
      pin.accept();
      return pin.result();
    });
    window->RunCommand(CommandId::kBtPinCode);
    QCOMPARE(boxes_, QStringList{});
    QCOMPARE(reader_->pin_code(), std::string("4321"));
    QCOMPARE(window->StatusText(), QStringLiteral("Disconnected!"));
  }

  void uploadWritesTheMemorizedDataIntoTheChosenFile() {
    auto window = MakeWindow();
    QVERIFY(window);
    const QString target = home_->filePath("tags.txt");
    SetDialogHandler([&](QDialog& dialog) {
      auto& upload = dynamic_cast<UploadDialog&>(dialog);
      upload.SetBrowseFunction([&] { return target; });
      upload.Browse();
      upload.accept();
      return upload.result();
    });
    window->RunCommand(CommandId::kUploadMemoryData);
    QCOMPARE(boxes_, QStringList{"Success: Uploading the Memorized Data Successful!"});
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), sim::MakeMemorizedData(5));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowSimTest)
#include "main_window_sim_test.moc"
