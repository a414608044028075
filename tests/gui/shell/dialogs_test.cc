// The utility dialogs: COM Port Properties, "Failed!", Bluetooth PIN Code and
// Upload Memoried Data with its transfer; the progress window and the waits
// that keep the windows painted while a device operation runs.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/app_state.h"
#include "link/failed_lines.h"
#include "link/memory_upload.h"
#include "shell/dialogs/com_port_properties_dialog.h"
#include "shell/dialogs/failed_dialog.h"
#include "shell/dialogs/pin_code_dialog.h"
#include "shell/dialogs/progress_window.h"
#include "shell/dialogs/upload_dialog.h"
#include "shell/dialogs/upload_transfer.h"
#include "shell/painting_waits.h"
#include "shell/qt_device_ui.h"
#include "tests/gui/support/dialog_test_util.h"
#include "tests/support/scripted_port.h"
#include "widgets/modal.h"

namespace k470::gui {
namespace {

using k470::testing::ScriptedPort;
using testing::Control;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Whether any pixel of `rect` differs from the dialog's background.
bool HasInk(const QImage& image, const QRect& rect, QRgb background) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (image.pixel(x, y) != background) return true;
    }
  }
  return false;
}

// The ports a reader with two virtual COM ports gives.
std::vector<std::string> TwoPorts() { return {"/dev/ttyACM0", "/dev/ttyACM1", "-Select-"}; }

class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

  QStringList boxes_;  // "caption: text [icon]" of each message box shown

 private slots:
  void init() {
    boxes_.clear();
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      boxes_ << QStringLiteral("%1: %2 [%3]")
                    .arg(r.caption, r.text,
                         QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(r.icon));
      return QMessageBox::Ok;
    });
  }
  void cleanup() {
    SetDialogHandler({});
    SetMessageBoxHandler({});
  }

  void comPortDownloadNeedsABoxAndOkWritesTheIni() {
    QTemporaryDir dir;
    AppState state;
    state.port_list = TwoPorts();
    state.download_settings_type = DownloadSettingsType::kBoth;
    ComPortPropertiesDialog dialog(state, DeviceOperation::kDownloadSettings,
                                   dir.path().toStdString());
    auto* port = Control<QComboBox>(dialog, "201");
    auto* current = Control<QCheckBox>(dialog, "301");
    auto* user_defined = Control<QCheckBox>(dialog, "302");
    auto* ok = Control<QPushButton>(dialog, "1");
    current->click();
    user_defined->click();
    QVERIFY(!ok->isEnabled());  // a download needs one box
    user_defined->click();

    // A stable by-id name is long; typed in whole, it is taken whole.
    const QString by_id = "/dev/serial/by-id/usb-" + QString(173, 'K') + "-if00";
    port->lineEdit()->clear();
    QTest::keyClicks(port->lineEdit(), by_id);
    QCOMPARE(port->currentText(), by_id);
    ok->click();
    QVERIFY(state.download_settings_type == DownloadSettingsType::kUserDefined);
    QCOMPARE(ReadAll(dir.filePath("K470Configuration.ini")),
             "@ComPort#" + by_id.toLatin1() + "\r\n");
  }

  void failedButtonsGiveChoicesAndAllLinesShow() {
    const FailedLines lines = FailedLinesFor(FailureKind::kReaderDoesNotAnswer);
    for (const auto& [button, choice] : {std::pair{"4", FailureChoice::kRetry},
                                         {"1", FailureChoice::kComSetting},
                                         {"", FailureChoice::kCancel}}) {
      bool lines_shown = false;
      SetDialogHandler([&](QDialog& d) {
        const QImage image = d.grab().toImage();
        const QRgb background = d.palette().color(QPalette::Window).rgb();
        // Lines 1-4 stand 15 pixels apart from y = 24; the longest one fits.
        lines_shown = dynamic_cast<FailedDialog&>(d).lines() == lines &&
                      !HasInk(image, QRect(image.width() - 4, 24, 4, 60), background);
        for (int n = 0; n < 4; ++n) {
          lines_shown &= HasInk(image, QRect(55, 24 + 15 * n, image.width() - 55, 15), background);
        }
        *button ? Control<QPushButton>(d, button)->click() : d.reject();
        return d.result();
      });
      QCOMPARE(FailedDialog::Ask(lines), choice);
      QVERIFY(lines_shown);
    }
  }

  void pinOpenFailureRevealsChooserThenSendsOnTheOtherPort() {
    VirtualClock clock;
    ScriptedPort port(clock);
    port.refuse_open = true;
    AppState state;
    state.reader_present = true;
    QString status;
    PinCodeDialog dialog(state, port, clock, TwoPorts, [&](const QString& text) { status = text; });
    QVERIFY(dialog.chooser().combo()->isHidden());
    dialog.pin_edit()->setText("1234");
    Control<QPushButton>(dialog, "1")->click();

    QCOMPARE(boxes_, QStringList{"Error: Can't open the COM port! [Warning]"});
    QVERIFY(!dialog.chooser().combo()->isHidden());

    port.refuse_open = false;
    dialog.chooser().combo()->setCurrentIndex(1);
    Control<QPushButton>(dialog, "1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(port.opened == (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyACM1"}));
    QCOMPARE(QString::fromStdString(port.all_written()), "1234\r");
    QVERIFY(!port.IsOpen());
    QCOMPARE(status, "Connected!");
  }

  void uploadOpenFailureRevealsChooserThenTransferWritesTheFile() {
    QTemporaryDir dir;
    const QString target = dir.filePath("tags.txt");
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old data") == 8);
    old.close();
    VirtualClock clock;
    ScriptedPort port(clock);
    port.refuse_line_settings = true;
    FileByteSink sink;
    AppState state;
    UploadDialog dialog(state, port, sink, TwoPorts, [](const QString&) {});
    dialog.SetBrowseFunction([&] { return target; });
    dialog.Browse();
    Control<QPushButton>(dialog, "1")->click();
    QCOMPARE(boxes_, QStringList{"Error: Error on setting communication state [NoIcon]"});
    QVERIFY(!port.IsOpen() && !sink.IsOpen() && !dialog.chooser().combo()->isHidden());
    QCOMPARE(ReadAll(target), QByteArray("old data"));

    port.refuse_line_settings = false;
    Control<QPushButton>(dialog, "1")->click();
    QVERIFY(port.IsOpen() && sink.IsOpen());
    boxes_.clear();
    for (const char* piece : {"E200341201\r\n", "E200341202\r\nOK\r", "ok\r"}) port.Deliver(piece);
    QVERIFY(RunUploadTransfer(port, clock, sink, nullptr));  // the exchange: the link's test
    QVERIFY(!port.IsOpen() && !sink.IsOpen());
    QCOMPARE(boxes_,
             QStringList{"Success: Uploading the Memorized Data Successful! [Information]"});
    QCOMPARE(ReadAll(target), QByteArray("E200341201\r\nE200341202\r\n"));
  }

  // The progress window belongs to its parent alone: when the sheet that owns
  // the driver's dialogs goes first, the window goes with it and End has
  // nothing left to delete.
  void progressWindowGoesWithItsOwner() {
    AppState state;
    QWidget main_window;
    QtDeviceUi ui(state, &main_window, "", {}, {});
    auto* sheet = new QWidget(&main_window);
    QWidget* const main_owner = ui.SetOwner(sheet);
    QCOMPARE(main_owner, &main_window);
    ui.Begin("Downloading...", "Downloading", 640);
    auto* progress = sheet->findChild<ProgressWindow*>();
    QVERIFY(progress && progress->isVisible());
    delete sheet;
    ui.SetPosition(320);
    ui.End();

    ui.SetOwner(main_owner);
    ui.Begin("Uploading...", "Uploading", 640);
    QVERIFY(main_window.findChild<ProgressWindow*>());
    ui.End();
    QVERIFY(!main_window.findChild<ProgressWindow*>());
  }

  // Waits inside commands let the event loop paint, and a port read keeps its
  // whole wait however it is sliced.
  void waitsKeepPaintingAndLastTheirWholeTime() {
    PaintCounter widget;
    widget.show();
    QCoreApplication::processEvents();
    int paints = widget.paints;
    widget.update();
    PaintingClock clock;
    const Millis before = clock.Now();
    clock.SleepFor(Millis(60));
    QVERIFY(clock.Now() - before >= Millis(60));
    QVERIFY(widget.paints > paints);

    // A silent reader: the read waits its whole time, painting between slices.
    VirtualClock virtual_clock;
    ScriptedPort silent(virtual_clock);
    QVERIFY(silent.Open("/dev/ttyACM0", {}));
    PaintingSerialPort port(silent, virtual_clock);
    paints = widget.paints;
    widget.update();
    std::uint8_t buf[4];
    QCOMPARE(port.Read(buf, Millis(100)), 0L);
    QCOMPARE(virtual_clock.Now(), Millis(100));
    QVERIFY(widget.paints > paints);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::DialogsTest)
#include "dialogs_test.moc"
