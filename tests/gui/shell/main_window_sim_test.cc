// Read Settings and Download Settings through the main window end to end: the
// real serial port code against the virtual reader on a pseudo-terminal, the
// configured port. Message boxes and dialogs are answered by the test. Long
// by-id port names and the .ini file are the link and k470ctl tests' to check.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/date_time/date_time_page_ids.h"
#include "settings/system/system_page_ids.h"
#include "shell/main_window.h"
#include "sim/pty_reader.h"
#include "tests/gui/support/dialog_test_util.h"
#include "widgets/dialog_button_ids.h"
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
    config.current_image.SetField(kInterfaceCode, 5);  // Bluetooth HID
    config.current_image.SetByte(300, 0x42);
    reader_ = std::make_unique<sim::PtyReader>(config);
    std::string error;
    QVERIFY2(reader_->Start(&error), error.c_str());

    state_ = AppState{};
    state_.configured_port = reader_->device_path();
    const std::vector<std::string> ports = {state_.configured_port, "-Select-"};
    state_.port_list = ports;
    MainWindowServices services = DefaultMainWindowServices(home_.filePath("config").toStdString());
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

  // What an operator does in the sheet Read Settings opens reaches the
  // reader: the clock at once with "Update", the rest with Download Settings.
  void settingsEditedInTheSheetReachTheReader() {
    SetDialogHandler([](QDialog& sheet) {
      if (sheet.windowTitle() != "Device Settings") return static_cast<int>(QDialog::Rejected);
      Control<QRadioButton>(sheet, system_page_ids::kM912HidRadio)->click();
      Control<QLineEdit>(sheet, system_page_ids::kShutdownTimeout)->setText("30");
      sheet.findChild<QTabWidget*>()->setCurrentIndex(3);
      Control<QRadioButton>(sheet, date_time_page_ids::kSetTimeAndDate)->click();
      Control<QLineEdit>(sheet, date_time_page_ids::kYear)->setText("2000");
      Control<QLineEdit>(sheet, date_time_page_ids::kHour)->setText("0");
      Control<QPushButton>(sheet, date_time_page_ids::kUpdate)->click();
      Control<QPushButton>(sheet, dialog_button_ids::kOk)->click();
      return sheet.result();
    });
    window_->RunCommand(CommandId::kReadSettings);
    QVERIFY(reader_->clock() == (sim::ReaderTime{2000, 2, 29, 0, 34, 56}));
    QCOMPARE(state_.selected_interface, SelectedInterface::kM912Hid);
    QCOMPARE(state_.image.Field(kShutdownTimeout), 30u);
    window_->RunCommand(CommandId::kDownloadSettings);
    QVERIFY(reader_->current_image() == state_.image);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowSimTest)
#include "main_window_sim_test.moc"
