// The utility dialogs: COM Port Properties, "Failed!", Progress, Bluetooth PIN
// Code, Upload Memoried Data with its transfer, and About.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/app_state.h"
#include "link/com_port_settings.h"
#include "link/failed_lines.h"
#include "link/memory_upload.h"
#include "shell/dialogs/about_dialog.h"
#include "shell/dialogs/com_port_properties_dialog.h"
#include "shell/dialogs/dialog_picture.h"
#include "shell/dialogs/failed_dialog.h"
#include "shell/dialogs/pin_code_dialog.h"
#include "shell/dialogs/progress_window.h"
#include "shell/dialogs/upload_dialog.h"
#include "shell/dialogs/upload_transfer.h"
#include "tests/gui/dialog_test_util.h"

Q_DECLARE_METATYPE(k470::DeviceOperation)

namespace k470::gui {
namespace {

using testing::Control;
using testing::FakePort;
using testing::MessageLog;

QString Qs(const std::string& s) { return QString::fromStdString(s); }

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Pixels of `rect` in `image` that differ from the dialog's background.
int InkIn(const QImage& image, const QRect& rect, QRgb background) {
  int ink = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) ink += image.pixel(x, y) != background;
  }
  return ink;
}

QImage Painted(QWidget& widget) { return widget.grab().toImage(); }

// The ports a reader with two virtual COM ports gives.
std::vector<std::string> TwoPorts() { return {"/dev/ttyACM0", "/dev/ttyACM1", "-Select-"}; }

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { SetDialogHandler({}); }

  // COM Port Properties

  void comPortFieldOpensWith_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<bool>("discovered");
    QTest::addColumn<QString>("shown");
    QTest::newRow("configured port") << "/dev/ttyUSB4" << true << "/dev/ttyUSB4";
    QTest::newRow("first discovered") << "" << true << "/dev/ttyACM0";
    QTest::newRow("nothing") << "" << false << "";
  }

  // Ok without touching the field keeps what it opened with; an empty field
  // names no port, so the next open fails and "Failed!" follows.
  void comPortFieldOpensWith() {
    QFETCH(QString, configured);
    QFETCH(bool, discovered);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    AppState state;
    state.configured_port = configured.toStdString();
    if (discovered) state.port_list = TwoPorts();
    ComPortPropertiesDialog dialog(state, DeviceOperation::kBatteryQuery, dir.path().toStdString());
    auto* port = Control<QComboBox>(dialog, "201");
    QCOMPARE(port->currentText(), shown);
    QCOMPARE(port->findText("-Select-"), -1);
    QCOMPARE(port->count(), discovered ? 2 : 0);

    Control<QPushButton>(dialog, "1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Qs(state.port_in_use), shown);
    QCOMPARE(Qs(state.configured_port), shown);
    QCOMPARE(ReadAll(dir.filePath("K470Configuration.ini")), "@ComPort#" + shown.toUtf8() + "\r\n");
  }

  void comPortOkTakesPortLineSettingsAndWritesIni() {
    QTemporaryDir dir;
    const std::string folder = dir.filePath("conf").toStdString();
    AppState state;
    state.port_list = TwoPorts();
    state.line_settings = {4, 0, 2, 1, 1};
    ComPortPropertiesDialog dialog(state, DeviceOperation::kBatteryQuery, folder);

    // The line settings are carried, hidden, with the state's selections.
    for (const char* id :
         {"1256", "1257", "1258", "1259", "1260", "401", "402", "403", "404", "405", "1261"}) {
      QVERIFY2(Control<QWidget>(dialog, id)->isHidden(), id);
    }
    QCOMPARE(Control<QComboBox>(dialog, "401")->currentText(), "9600");
    QCOMPARE(Control<QComboBox>(dialog, "405")->count(), 3);
    QCOMPARE(Control<QLabel>(dialog, "1255")->text(), "COM port :");

    Control<QComboBox>(dialog, "201")->setEditText("/dev/ttyUSB12");
    Control<QPushButton>(dialog, "1")->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Qs(state.port_in_use), "/dev/ttyUSB12");
    QVERIFY(state.line_settings == (LineSettings{4, 0, 2, 1, 1}));
    QCOMPARE(ReadAll(QString::fromStdString(folder) + "/K470Configuration.ini"),
             QByteArray("@ComPort#/dev/ttyUSB12\r\n"));
    QCOMPARE(Qs(ReadConfiguredPort(folder)), "/dev/ttyUSB12");
  }

  void comPortCancelChangesNothing() {
    QTemporaryDir dir;
    AppState state;
    state.configured_port = "/dev/ttyACM0";
    state.read_settings_type = ReadSettingsType::kUserDefined;
    SetDialogHandler([](QDialog& d) {
      Control<QComboBox>(d, "201")->setEditText("/dev/ttyS9");
      Control<QRadioButton>(d, "601")->click();
      Control<QPushButton>(d, "2")->click();
      return d.result();
    });
    QVERIFY(!ComPortPropertiesDialog::Show(state, DeviceOperation::kReadSettings,
                                           dir.path().toStdString()));
    QCOMPARE(Qs(state.configured_port), "/dev/ttyACM0");
    QCOMPARE(Qs(state.port_in_use), "");
    QVERIFY(state.read_settings_type == ReadSettingsType::kUserDefined);
    QVERIFY(!QFile::exists(dir.filePath("K470Configuration.ini")));
  }

  void comPortReadChoosesReadType() {
    QTemporaryDir dir;
    AppState state;
    state.read_settings_type = ReadSettingsType::kUserDefined;
    state.download_settings_type = DownloadSettingsType::kBoth;
    ComPortPropertiesDialog dialog(state, DeviceOperation::kReadSettings, dir.path().toStdString());
    QVERIFY(Control<QCheckBox>(dialog, "301")->isHidden());
    QVERIFY(Control<QCheckBox>(dialog, "302")->isHidden());
    auto* current = Control<QRadioButton>(dialog, "601");
    auto* user_defined = Control<QRadioButton>(dialog, "602");
    QVERIFY(!current->isHidden() && user_defined->isChecked() && !current->isChecked());

    current->click();
    Control<QPushButton>(dialog, "1")->click();
    QVERIFY(state.read_settings_type == ReadSettingsType::kCurrent);
    QVERIFY(state.download_settings_type == DownloadSettingsType::kBoth);
  }

  void comPortDownloadNeedsOneBoxChecked() {
    QTemporaryDir dir;
    AppState state;
    state.read_settings_type = ReadSettingsType::kUserDefined;
    state.download_settings_type = DownloadSettingsType::kBoth;
    ComPortPropertiesDialog dialog(state, DeviceOperation::kDownloadSettings,
                                   dir.path().toStdString());
    QVERIFY(Control<QRadioButton>(dialog, "601")->isHidden());
    QVERIFY(Control<QRadioButton>(dialog, "602")->isHidden());
    auto* current = Control<QCheckBox>(dialog, "301");
    auto* user_defined = Control<QCheckBox>(dialog, "302");
    auto* ok = Control<QPushButton>(dialog, "1");
    QVERIFY(!current->isHidden() && current->isChecked() && user_defined->isChecked());

    current->click();
    QVERIFY(ok->isEnabled());
    user_defined->click();
    QVERIFY(!ok->isEnabled());
    user_defined->click();
    QVERIFY(ok->isEnabled());

    ok->click();
    QVERIFY(state.download_settings_type == DownloadSettingsType::kUserDefined);
    QVERIFY(state.read_settings_type == ReadSettingsType::kCurrent);
  }

  void comPortOtherOperationsDisableSettingsType_data() {
    QTest::addColumn<DeviceOperation>("operation");
    QTest::newRow("set clock") << DeviceOperation::kSetClock;
    QTest::newRow("battery") << DeviceOperation::kBatteryQuery;
    QTest::newRow("memory size") << DeviceOperation::kMemorySizeQuery;
    QTest::newRow("clear memory") << DeviceOperation::kClearMemory;
  }

  void comPortOtherOperationsDisableSettingsType() {
    QFETCH(DeviceOperation, operation);
    QTemporaryDir dir;
    AppState state;
    state.read_settings_type = ReadSettingsType::kUserDefined;
    state.download_settings_type = DownloadSettingsType::kBoth;
    ComPortPropertiesDialog dialog(state, operation, dir.path().toStdString());
    auto* group = Control<QGroupBox>(dialog, "1195");
    QCOMPARE(group->title(), "Settings Type");
    QVERIFY(!group->isEnabled());
    Control<QPushButton>(dialog, "1")->click();
    QVERIFY(state.read_settings_type == ReadSettingsType::kUserDefined);
    QVERIFY(state.download_settings_type == DownloadSettingsType::kBoth);
  }

  // "Failed!"

  void failedButtonsGiveChoices_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("choice");
    QTest::newRow("Retry") << "4" << int(FailureChoice::kRetry);
    QTest::newRow("COM Setting") << "1" << int(FailureChoice::kComSetting);
    QTest::newRow("Cancel") << "2" << int(FailureChoice::kCancel);
    QTest::newRow("closed") << "" << int(FailureChoice::kCancel);
  }

  void failedButtonsGiveChoices() {
    QFETCH(QString, button);
    QFETCH(int, choice);
    QString title;
    bool com_setting_is_default = false;
    SetDialogHandler([&](QDialog& d) {
      title = d.windowTitle();
      com_setting_is_default = Control<QPushButton>(d, "1")->isDefault();
      if (button.isEmpty()) {
        d.reject();
      } else {
        Control<QPushButton>(d, button)->click();
      }
      return d.result();
    });
    const auto answer = FailedDialog::Ask(FailedLinesFor(FailureKind::kPortCannotBeOpened));
    QCOMPARE(title, "Failed!");
    QVERIFY(com_setting_is_default);
    QCOMPARE(int(answer), choice);
  }

  void failedPaintsLinesAndPicture_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("port cannot be opened") << int(FailureKind::kPortCannotBeOpened);
    QTest::newRow("reader does not answer") << int(FailureKind::kReaderDoesNotAnswer);
  }

  void failedPaintsLinesAndPicture() {
    QFETCH(int, kind);
    const FailedLines lines = FailedLinesFor(static_cast<FailureKind>(kind));
    FailedDialog dialog(lines);
    QVERIFY(dialog.lines() == lines);
    QVERIFY(QString::fromStdString(lines[1]).contains(QString::fromUtf8("【Retry】")));

    const QImage image = Painted(dialog);
    const QRgb background = dialog.palette().color(QPalette::Window).rgb();
    QVERIFY(DialogPictureAvailable(kFailedPicture));
    QVERIFY(InkIn(image, QRect(12, 27, 32, 32), background) > 100);
    // Lines 1-4 stand 15 pixels apart from y = 24 (the top of their text).
    for (int n = 1; n <= 4; ++n) {
      const QRect band(55, 24 + 15 * (n - 1), image.width() - 55, 15);
      QVERIFY2(InkIn(image, band, background) > 0, qPrintable(QString::number(n)));
    }
    // The fifth is empty: below the descenders of the fourth there is nothing.
    QCOMPARE(InkIn(image, QRect(0, 24 + 15 * 4 + 18, image.width(), 10), background), 0);
    QCOMPARE(InkIn(image, QRect(55, 0, image.width() - 55, 24), background), 0);
    // The longest line fits inside the dialog.
    QCOMPARE(InkIn(image, QRect(image.width() - 4, 24, 4, 60), background), 0);
  }

  // Progress

  void progressShowsTransfer() {
    ProgressWindow window;
    window.Begin("Uploading...", "Uploading", 641);
    QVERIFY(window.isVisible());
    QCOMPARE(Control<QLabel>(window, "801")->text(), "Uploading...");
    QProgressBar* bar = window.bar();
    QCOMPARE(bar->accessibleName(), "Uploading");
    QCOMPARE(bar->maximum(), 641);
    QCOMPARE(bar->value(), 0);
    const QSize client = window.size();
    QCOMPARE(bar->geometry(), QRect(14, client.height() / 2, client.width() - 28, 20));

    window.SetPosition(624);
    QCOMPARE(bar->value(), 624);
    window.close();  // refused while the transfer runs
    QVERIFY(window.isVisible());

    window.End();
    QVERIFY(!window.isVisible());
  }

  // Bluetooth PIN Code

  void pinSendsCodeOnChosenPort() {
    VirtualClock clock;
    FakePort port(clock);
    AppState state;
    QStringList status;
    PinCodeDialog dialog(state, port, clock, TwoPorts,
                         [&](const QString& text) { status << text; });
    QCOMPARE(dialog.windowTitle(), "Bluetooth PIN Code");
    QVERIFY(state.port_list == TwoPorts());
    QVERIFY(dialog.chooser().combo()->isHidden());
    QCOMPARE(dialog.chooser().combo()->count(), 2);

    QTest::keyClicks(dialog.pin_edit(), "0123456789ABCDEFGHIJ");
    QCOMPARE(dialog.pin_edit()->text(), "0123456789ABCDEF");
    Control<QPushButton>(dialog, "1")->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(port.opened == std::vector<std::string>{"/dev/ttyACM0"});
    QCOMPARE(Qs(port.written), "0123456789ABCDEF\r");
    QCOMPARE(port.written.size(), std::size_t{17});
    QVERIFY(!port.IsOpen());
    QVERIFY(clock.Now() >= Millis(2000));
    QCOMPARE(status, QStringList({"Connecting to K470......", "Connected!"}));
  }

  void pinOpenFailureRevealsChooser() {
    VirtualClock clock;
    FakePort port(clock);
    port.refuse_open = true;
    MessageLog messages;
    AppState state;
    state.reader_present = true;
    QString status;
    PinCodeDialog dialog(state, port, clock, TwoPorts, [&](const QString& text) { status = text; });
    dialog.pin_edit()->setText("1234");
    Control<QPushButton>(dialog, "1")->click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(messages.ShownOnly("Can't open the COM port!", "Error", QMessageBox::Warning));
    QVERIFY(!dialog.chooser().label()->isHidden());
    QVERIFY(!dialog.chooser().combo()->isHidden());
    QCOMPARE(status, "USB VCOM is opened...");
    QVERIFY(port.written.empty());

    // The user picks the other port and tries again.
    port.refuse_open = false;
    dialog.chooser().combo()->setCurrentIndex(1);
    Control<QPushButton>(dialog, "1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Qs(port.opened.back()), "/dev/ttyACM1");
    QCOMPARE(Qs(port.written), "1234\r");
  }

  // Upload Memoried Data

  void uploadDefaultBrowseAddsTxtSuffix() {
    QTemporaryDir dir;
    VirtualClock clock;
    FakePort port(clock);
    FileByteSink sink;
    AppState state;
    UploadDialog dialog(state, port, sink, TwoPorts, {});
    QStringList filters;
    SetDialogHandler([&](QDialog& d) {
      auto* files = qobject_cast<QFileDialog*>(&d);
      if (files == nullptr) return int(QDialog::Rejected);
      filters = files->nameFilters();
      if (files->acceptMode() != QFileDialog::AcceptSave) return int(QDialog::Rejected);
      files->setOption(QFileDialog::DontUseNativeDialog);
      files->setDirectory(dir.path());
      files->selectFile("tags");
      return int(QDialog::Accepted);
    });
    Control<QPushButton>(dialog, "browse")->click();
    QCOMPARE(filters, QStringList{"*.txt"});
    QCOMPARE(dialog.target_path(), dir.filePath("tags.txt"));
  }

  void uploadOkWithoutCreatableFileStaysOpen() {
    QTemporaryDir dir;
    VirtualClock clock;
    FakePort port(clock);
    FileByteSink sink;
    MessageLog messages;
    AppState state;
    UploadDialog dialog(state, port, sink, TwoPorts, {});
    auto* ok = Control<QPushButton>(dialog, "1");

    // No file chosen yet, then a file in a folder that does not exist.
    ok->click();
    const QString missing = dir.filePath("no/such/folder/tags.txt");
    dialog.SetBrowseFunction([&] { return missing; });
    Control<QPushButton>(dialog, "browse")->click();
    ok->click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(port.opened.size(), std::size_t{2});
    QVERIFY(!port.IsOpen());
    QCOMPARE(port.purges, 2);
    QVERIFY(!sink.IsOpen());
    QVERIFY(!QFile::exists(missing));
    QVERIFY(messages.shown.empty());
    QVERIFY(dialog.chooser().combo()->isHidden());
  }

  void uploadLineSettingsRefusedHasItsOwnMessage() {
    VirtualClock clock;
    FakePort port(clock);
    port.refuse_line_settings = true;
    FileByteSink sink;
    MessageLog messages;
    AppState state;
    QString status;
    UploadDialog dialog(state, port, sink, TwoPorts, [&](const QString& text) { status = text; });
    Control<QPushButton>(dialog, "1")->click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(
        messages.ShownOnly("Error on setting communication state", "Error", QMessageBox::NoIcon));
    QVERIFY(!port.IsOpen());
    QVERIFY(!sink.IsOpen());
    QVERIFY(!dialog.chooser().combo()->isHidden());
    QCOMPARE(status, "USB VCOM is closed...");
  }

  void uploadOkOpensPortAndFile() {
    QTemporaryDir dir;
    VirtualClock clock;
    FakePort port(clock);
    FileByteSink sink;
    AppState state;
    const QString target = dir.filePath("tags.txt");
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old data") == 8);
    old.close();
    UploadDialog dialog(state, port, sink, TwoPorts, {});
    QCOMPARE(dialog.path_edit()->text(), QDir::currentPath());
    dialog.SetBrowseFunction([&] { return target; });
    Control<QPushButton>(dialog, "browse")->click();
    QCOMPARE(dialog.path_edit()->text(), target);
    Control<QPushButton>(dialog, "1")->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(port.IsOpen());
    QVERIFY(sink.IsOpen());
    QCOMPARE(ReadAll(target), QByteArray());  // replaced
    QVERIFY(sink.Finish());
  }

  void uploadTransferWritesFileAndReports_data() {
    QTest::addColumn<bool>("unplugged");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("success") << false << "Uploading the Memorized Data Successful!"
                             << "Success" << QMessageBox::Information;
    QTest::newRow("failure") << true << "Uploading the Memorized Data Failed!"
                             << "Failed" << QMessageBox::Warning;
  }

  void uploadTransferWritesFileAndReports() {
    QFETCH(bool, unplugged);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(QMessageBox::Icon, icon);
    QTemporaryDir dir;
    VirtualClock clock;
    FakePort port(clock);
    QVERIFY(port.Open("/dev/ttyACM0", {}));
    port.incoming = {"E200341201\r\n", "E200341202\r\nOK\r", "ok\r"};
    port.broken = unplugged;
    FileByteSink sink;
    QVERIFY(sink.Create(dir.filePath("tags.txt").toStdString()));
    MessageLog messages;

    QCOMPARE(RunUploadTransfer(port, clock, sink, nullptr), !unplugged);
    QCOMPARE(Qs(port.written), "#@SYS_MEMUP\r");
    QVERIFY(!port.IsOpen());
    QVERIFY(!sink.IsOpen());
    QVERIFY(messages.ShownOnly(text, caption, icon));
    if (!unplugged) {
      QCOMPARE(ReadAll(dir.filePath("tags.txt")), QByteArray("E200341201\r\nE200341202\r\n"));
    }
  }

  // About

  void aboutShowsVersionAndPicture() {
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), "About K470Configuration");
    QCOMPARE(Control<QLabel>(dialog, "about_text")->text(), "K470 Configuration, Version 1.02");
    QVERIFY(DialogPictureAvailable(kReaderPicture));
    const QImage image = Painted(dialog);
    const QRgb background = dialog.palette().color(QPalette::Window).rgb();
    QVERIFY(InkIn(image, QRect(18, 22, 32, 32), background) > 200);
    QCOMPARE(InkIn(image, QRect(0, 0, 18, 22), background), 0);
    Control<QPushButton>(dialog, "1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::DialogsTest)
#include "dialogs_test.moc"
