// Read Settings and Download Settings through the main window end to end: the
// real serial port code against the virtual reader on a pseudo-terminal, with
// the port taken from the .ini file of a configuration folder of the test's
// own. Message boxes and dialogs are answered by the test.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "link/com_port_settings.h"
#include "shell/main_window.h"
#include "sim/pty_reader.h"
#include "tests/gui/dialog_test_util.h"
#include "widgets/modal.h"

namespace k470::gui {

using testing::Control;

// The steady clock, except that a pause the program makes between steps (after
// a read, a download, a clock set) passes at once: waits for the reader's
// replies still run in real time.
class PauseSkippingClock : public Clock {
 public:
  Millis Now() override { return SteadyClock().Now() + skipped_; }
  void SleepFor(Millis duration) override { skipped_ += std::max(duration, Millis::zero()); }

 private:
  Millis skipped_{0};
};

class MainWindowSimTest : public QObject {
  Q_OBJECT

  QTemporaryDir home_;
  AppState state_;
  std::unique_ptr<sim::PtyReader> reader_;
  std::unique_ptr<MainWindow> window_;
  QStringList shown_;  // "title (status text)" of each dialog, "caption: text" of each box
  PauseSkippingClock clock_;

 private slots:
  void init() {
    sim::ReaderConfig config;
    config.current_image = sim::FactoryImage();
    config.current_image.SetBits(16, 3, 3, 5);  // interface code of Bluetooth HID
    config.current_image.SetByte(300, 0x42);
    reader_ = std::make_unique<sim::PtyReader>(config);
    std::string error;
    QVERIFY2(reader_->Start(&error), error.c_str());

    // The configured port is the reader by a stable name as long as udev's,
    // read from the .ini file as at start.
    const QString by_id =
        home_.filePath("serial/by-id/usb-K470_UHF_RFID_Reader_K471-" +
                       QString(std::max(10, 180 - int(home_.path().size())), '0') + "-if00");
    QVERIFY(QDir().mkpath(QFileInfo(by_id).path()));
    QFile::remove(by_id);
    QVERIFY(QFile::link(QString::fromStdString(reader_->device_path()), by_id));
    QVERIFY(by_id.size() >= 200);
    const std::string folder = home_.filePath("config").toStdString();
    QVERIFY(WriteConfiguredPort(folder, by_id.toStdString()));
    state_ = AppState{};
    state_.configured_port = ReadConfiguredPort(folder);
    QCOMPARE(QString::fromStdString(state_.configured_port), by_id);
    const std::vector<std::string> ports = {state_.configured_port, "-Select-"};
    state_.port_list = ports;
    MainWindowServices services = DefaultMainWindowServices(folder);
    services.discover_ports = [ports] { return ports; };
    services.local_time = [] { return ClockTime{2024, 2, 29, 12, 34, 56}; };
    services.clock = &clock_;
    window_ = std::make_unique<MainWindow>(state_, std::move(services));

    shown_.clear();
    SetDialogHandler([this](QDialog& dialog) {
      shown_ << dialog.windowTitle() + " (" + window_->StatusText() + ")";
      return static_cast<int>(QDialog::Rejected);
    });
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      shown_ << r.caption + ": " + r.text;
      return QMessageBox::Ok;
    });
  }

  void cleanup() {
    SetDialogHandler({});
    SetMessageBoxHandler({});
    window_.reset();
    reader_.reset();
  }

 private:
  // Downloads the state's image, reads it back and checks every settings byte.
  void ReadBackIs(const SettingsImage& expected) {
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    window_->RunCommand(CommandId::kDownloadSettings);
    state_.image = SettingsImage{};
    SetMessageBoxHandler([](const MessageBoxRequest&) { return QMessageBox::No; });  // drop it
    window_->RunCommand(CommandId::kReadSettings);
    QVERIFY(state_.image == reader_->current_image());
    for (std::size_t i = 0; i < kChecksumOffset; ++i) {
      QVERIFY2(state_.image.Byte(i) == expected.Byte(i), qPrintable(QString::number(i)));
    }
  }

 private slots:
  void readSettingsThenDownloadSetsTheClockOnlyInClockModeOne() {
    window_->RunCommand(CommandId::kReadSettings);
    QCOMPARE(shown_, QStringList{"Device Settings (Connected!)"});
    QVERIFY(state_.image == reader_->current_image());
    QCOMPARE(state_.selected_interface, SelectedInterface::kBluetoothHid);

    state_.clock_mode = ClockMode::kSetTimeAndDate;
    window_->RunCommand(CommandId::kDownloadSettings);
    QVERIFY(!reader_->clock());
    state_.clock_mode = ClockMode::kSyncWithHost;
    state_.image.SetByte(300, 0x77);
    window_->RunCommand(CommandId::kDownloadSettings);
    QVERIFY(reader_->current_image() == state_.image);  // checksum pair included
    QVERIFY(reader_->clock() == (sim::ReaderTime{2024, 2, 29, 12, 34, 56}));
  }

  // What an operator does on the System and Date & Time pages reaches the
  // reader: the clock at once with "Update", the rest with Download Settings,
  // and a read-back gives exactly the bytes the pages changed.
  void settingsEditedOnThePagesReachTheReaderByteForByte() {
    SettingsImage expected = reader_->current_image();
    SetDialogHandler([](QDialog& sheet) {
      if (sheet.windowTitle() != "Device Settings") return static_cast<int>(QDialog::Rejected);
      Control<QRadioButton>(sheet, "1004")->click();  // M912 HID
      Control<QLineEdit>(sheet, "1033")->setText("30");
      Control<QCheckBox>(sheet, "1016")->click();  // vibrator on
      Control<QLineEdit>(sheet, "1053")->setText("HELLO");
      Control<QCheckBox>(sheet, "302")->click();              // with CR
      Control<QComboBox>(sheet, "1047")->setCurrentIndex(3);  // "F1 is pressed"
      sheet.findChild<QTabWidget*>()->setCurrentIndex(3);
      Control<QRadioButton>(sheet, "1143")->click();
      Control<QLineEdit>(sheet, "1146")->setText("2000");
      Control<QLineEdit>(sheet, "1149")->setText("0");
      Control<QPushButton>(sheet, "1162")->click();
      Control<QPushButton>(sheet, "1")->click();
      return sheet.result();
    });
    window_->RunCommand(CommandId::kReadSettings);
    QVERIFY(reader_->clock() == (sim::ReaderTime{2000, 2, 29, 0, 34, 56}));

    expected.SetBits(16, 3, 3, 6);
    expected.SetByte(18, 0x61);
    expected.SetByte(0, 30);
    expected.SetBit(2, 0, true);
    expected.SetText(410, 10, "HELLO\r");
    expected.SetBits(450, 8, 4, 3);
    QVERIFY(state_.image == expected);
    ReadBackIs(expected);
    QCOMPARE(state_.selected_interface, SelectedInterface::kM912Hid);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowSimTest)
#include "main_window_sim_test.moc"
