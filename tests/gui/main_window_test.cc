// The main window without a reader: menus, toolbar, status texts, the
// presence poll, the file commands, placement and the driver's callbacks.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <deque>

#include "core/defaults.h"
#include "shell/device_info_layout.h"
#include "shell/dialogs/progress_window.h"
#include "shell/main_window.h"
#include "shell/modal.h"
#include "shell/window_placement.h"

namespace k470::gui {
namespace {

QStringList ActionIds(const QList<QAction*>& actions) {
  QStringList ids;
  for (const QAction* a : actions) ids << (a->isSeparator() ? "|" : a->objectName());
  return ids;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Bytes(const SettingsImage& image) {
  return QByteArray(reinterpret_cast<const char*>(image.bytes().data()), kImageSize);
}

// A run with no reader anywhere: the test answers every question.
struct Harness {
  QTemporaryDir dir;
  AppState state;
  std::vector<std::string> probed;  // names the presence poll tried
  bool port_opens = false;
  int discoveries = 0;
  std::deque<std::optional<std::string>> chosen_files;  // answers of both file choosers
  int save_questions = 0;
  QStringList dialogs;  // titles of the modal dialogs shown
  QStringList boxes;    // "caption: text" of the message boxes shown

  std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

  std::unique_ptr<MainWindow> MakeWindow() {
    MainWindowServices services = DefaultMainWindowServices(Path("config"));
    services.discover_ports = [this] {
      ++discoveries;
      return std::vector<std::string>{"-Select-"};
    };
    services.port_can_be_opened = [this](const std::string& name) {
      probed.push_back(name);
      return port_opens;
    };
    const auto next = [this](QWidget*) {
      std::optional<std::string> path;
      if (!chosen_files.empty()) path = chosen_files.front();
      if (!chosen_files.empty()) chosen_files.pop_front();
      return path;
    };
    services.file_chooser.choose_open = next;
    services.file_chooser.choose_save = [this, next](QWidget* owner) {
      ++save_questions;
      return next(owner);
    };
    SetDialogHandler([this](QDialog& dialog) {
      dialogs << dialog.windowTitle();
      return static_cast<int>(QDialog::Rejected);
    });
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      boxes << r.caption + ": " + r.text;
      return QMessageBox::Ok;
    });
    return std::make_unique<MainWindow>(state, std::move(services));
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Harness> h_;

 private slots:
  void init() { h_ = std::make_unique<Harness>(); }
  void cleanup() {
    SetDialogHandler({});
    SetMessageBoxHandler({});
  }

  void startsWithDefaultsAndNoReader() {
    h_->state.image.SetByte(453, 0x5A);  // a byte New keeps
    AppState fresh;
    fresh.image = h_->state.image;
    New(fresh);

    auto window = h_->MakeWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("K470Configuration 1.02"));
    QCOMPARE(window->size(), QSize(1200, 700));
    QCOMPARE(window->StatusText(), QStringLiteral("USB VCOM is closed..."));
    QVERIFY(window->statusBar()->font().bold());
    QCOMPARE(window->statusBar()->font().pixelSize(), 16);
    QVERIFY(h_->state.device_info.device_type == "NA" && h_->state.device_info.bt_mac_id == "NA");
    QVERIFY(h_->state.image == fresh.image);
    QVERIFY(window->PresencePollActive());
    QCOMPARE(window->PresencePollInterval(), 3000);
  }

  void menuBarHoldsEveryCommandWithItsIdTextAndKeys() {
    auto window = h_->MakeWindow();
    const QList<QAction*> menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
    QCOMPARE(menus[1]->text(), QStringLiteral("&Tools"));
    QCOMPARE(menus[2]->text(), QStringLiteral("&Help"));
    QCOMPARE(ActionIds(menus[0]->menu()->actions()), QString("1110 1120 1130 | 105").split(' '));
    QCOMPARE(ActionIds(menus[1]->menu()->actions()),
             QString("1140 | 1150 1160 | 32800 32801 32802 | 32807 | 32811").split(' '));
    QCOMPARE(ActionIds(menus[2]->menu()->actions()), QStringList{"104"});

    const std::tuple<const char*, const char*, QList<QKeySequence>> rows[] = {
        {"1110", "&New\tCtrl+N", {QKeySequence("Ctrl+N")}},
        {"1120", "&Open\tCtrl+O", {QKeySequence("Ctrl+O")}},
        {"1130", "&Save\tCtrl+S", {QKeySequence("Ctrl+S")}},
        {"105", "E&xit\tAlt+F4", {QKeySequence("Alt+F4")}},
        {"1140", "&Configure Device\tCtrl+C", {QKeySequence("Ctrl+C")}},
        {"1150", "&Read Settings ...\tCtrl+R", {QKeySequence("Ctrl+R")}},
        {"1160", "&Download Settings ...\tCtrl+D", {QKeySequence("Ctrl+D")}},
        {"32800", "&Battery Info. ...\tCtrl+B", {QKeySequence("Ctrl+B")}},
        {"32801", "&Memory Size ... \tCtrl+M", {QKeySequence("Ctrl+M")}},
        {"32802", "C&lear Memory ... \tCtrl+L", {QKeySequence("Ctrl+L")}},
        {"32807", "BT &PIN Code ... \tCtrl+P", {QKeySequence("Ctrl+P")}},
        {"32811", "&Upload Memory Data ...\tCtrl+U", {QKeySequence("Ctrl+U")}},
        {"104",
         "&About\tCtrl+A",
         {QKeySequence("Ctrl+A"), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}},
    };
    for (const auto& [id, text, keys] : rows) {
      const auto* action = window->findChild<QAction*>(id);
      QVERIFY2(action, id);
      QCOMPARE(action->text(), QString::fromLatin1(text));
      QCOMPARE(action->shortcuts(), keys);
    }
  }

  void toolbarButtonsAndMenuHelpShowTheStringTableTexts() {
    auto window = h_->MakeWindow();
    const auto* toolbar = window->findChild<QToolBar*>();
    QCOMPARE(ActionIds(toolbar->actions()), QString("1110 1120 1130 | 1140 1150 1160").split(' '));
    QCOMPARE(toolbar->iconSize(), QSize(16, 15));
    const std::pair<const char*, const char*> tips[] = {
        {"1110", "Create a new document"},
        {"1120", "Open an existing document"},
        {"1130", "Save the active document"},
        {"1140", "Configure device settings"},
        {"1150", "Read device settings"},
        {"1160", "Download the current settings to the device"},
    };
    for (const auto& [id, tip] : tips) {
      const auto* action = window->findChild<QAction*>(id);
      QCOMPARE(action->toolTip(), QString::fromLatin1(tip));
      QVERIFY(!action->icon().isNull());
    }
    window->findChild<QAction*>("1150")->showStatusText(window.get());  // item highlighted
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Read device settings"));
  }

  void presencePollProbesTheFirstListedPortOnly() {
    h_->state.port_list = {"/dev/ttyACM3", "/dev/ttyACM4", "-Select-"};
    auto window = h_->MakeWindow();
    h_->port_opens = true;
    window->PollPresence();
    QCOMPARE(window->StatusText(), QStringLiteral("USB VCOM is opened..."));
    QVERIFY(h_->state.reader_present);
    h_->port_opens = false;
    window->PollPresence();
    QCOMPARE(window->StatusText(), QStringLiteral("USB VCOM is closed..."));
    QVERIFY(!h_->state.reader_present);
    QCOMPARE(h_->probed, (std::vector<std::string>{"/dev/ttyACM3", "/dev/ttyACM3"}));
    QCOMPARE(h_->discoveries, 0);  // the poll never rebuilds the list
  }

  void deviceCommandWithoutPortStopsThePollAndEndsDisconnected() {
    auto window = h_->MakeWindow();
    QString status_in_dialog;
    bool poll_in_dialog = true;
    SetDialogHandler([&](QDialog& dialog) {
      h_->dialogs << dialog.windowTitle();
      status_in_dialog = window->StatusText();
      poll_in_dialog = window->PresencePollActive();
      return static_cast<int>(QDialog::Rejected);
    });
    window->findChild<QAction*>("32800")->trigger();
    QCOMPARE(h_->dialogs, QStringList{"COM Port Properties"});
    QCOMPARE(status_in_dialog, QStringLiteral("Connecting to K470......"));
    QVERIFY(!poll_in_dialog);
    QVERIFY(h_->boxes.isEmpty());  // a cancelled port choice is no error
    QCOMPARE(window->StatusText(), QStringLiteral("Disconnected!"));
    QVERIFY(window->PresencePollActive());
  }

  void fileCommandsWriteAndReadRealFiles() {
    auto window = h_->MakeWindow();
    // Save without a path asks once, then goes on writing to the same file.
    h_->chosen_files = {h_->Path("first")};
    window->RunCommand(CommandId::kSave);
    const QString first = h_->dir.filePath("first.K470");
    QCOMPARE(QString::fromStdString(h_->state.settings_path), first);
    h_->state.image.SetByte(100, 0xA5);
    window->RunCommand(CommandId::kSave);
    QCOMPARE(h_->save_questions, 1);
    QCOMPARE(FileBytes(first), Bytes(h_->state.image));
    QVERIFY(h_->dialogs.isEmpty());  // Save opens no sheet

    // New forgets the path and the edits, then opens the sheet.
    window->RunCommand(CommandId::kNew);
    QVERIFY(h_->state.settings_path.empty());
    QCOMPARE(h_->state.image.Byte(100), 0);
    QCOMPARE(h_->dialogs, QStringList{"Device Settings"});

    // Open loads the file, opens the sheet, and Save then writes back to it.
    h_->chosen_files = {first.toStdString()};
    window->RunCommand(CommandId::kOpen);
    QCOMPARE(h_->state.image.Byte(100), 0xA5);
    QCOMPARE(h_->dialogs.size(), 2);
    h_->state.image.SetByte(0, 1);
    window->RunCommand(CommandId::kSave);
    QCOMPARE(h_->save_questions, 1);
    QCOMPARE(FileBytes(first), Bytes(h_->state.image));

    // Cancelled and unreadable choices forget the path and open no sheet.
    h_->chosen_files = {std::nullopt, h_->Path("missing.K470")};
    window->RunCommand(CommandId::kOpen);
    QVERIFY(h_->state.settings_path.empty());
    window->RunCommand(CommandId::kOpen);
    QCOMPARE(h_->dialogs.size(), 2);
    QCOMPARE(h_->state.image.Byte(0), 1);
  }

  void fileDialogsOfferTheSettingsFilter() {
    QFileDialog::AcceptMode mode{};
    QStringList filters;
    QString suffix;
    QString answer;
    SetDialogHandler([&](QDialog& dialog) {
      auto& files = dynamic_cast<QFileDialog&>(dialog);
      mode = files.acceptMode();
      filters = files.nameFilters();
      suffix = files.defaultSuffix();
      if (answer.isEmpty()) return static_cast<int>(QDialog::Rejected);
      files.selectFile(answer);
      return static_cast<int>(QDialog::Accepted);
    });
    const SettingsFileChooser chooser = SettingsFileDialogs();
    QVERIFY(!chooser.choose_open(nullptr));
    QCOMPARE(mode, QFileDialog::AcceptOpen);
    QCOMPARE(filters, QStringList{"K470 settings (*.K470)"});
    QVERIFY(suffix.isEmpty());

    answer = h_->dir.filePath("chosen");
    const auto saved = chooser.choose_save(nullptr);
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QCOMPARE(filters, QStringList{"K470 settings (*.K470)"});
    QCOMPARE(suffix, QStringLiteral("K470"));
    QVERIFY(saved && QString::fromStdString(*saved).startsWith(answer));
  }

  void placementCentresAndRestoresASmallWindow() {
    const QSize screen(1920, 1080);
    QCOMPARE(InitialGeometry(screen), QRect(360, 190, 1200, 700));
    QCOMPARE(CorrectedGeometry(QSize(959, 700), screen).value_or(QRect()),
             QRect(360, 190, 960, 540));
    QCOMPARE(CorrectedGeometry(QSize(1000, 539), screen).value_or(QRect()),
             QRect(360, 190, 960, 540));
    QVERIFY(!CorrectedGeometry(QSize(960, 540), screen));

    auto window = h_->MakeWindow();
    window->show();
    const QSize real = window->screen()->geometry().size();
    window->resize(real.width() / 2 - 10, real.height());
    QCOMPARE(window->size(), real / 2);
  }

  void deviceInformationSitsWhereThePanelRulesPutIt() {
    const DeviceInfoLayout a = LayoutDeviceInfo(QSize(1000, 601), QSize(585, 550));
    QCOMPARE(a.picture, QRect(30, 50, 500, 500));  // 601 / 6 * 5, quotient 1
    QCOMPARE(a.title, QPoint(600, 100));
    QCOMPARE(a.labels[0], QPoint(620, 150));
    QCOMPARE(a.values[4], QPoint(800, 350));
    // A picture twice as wide as high is drawn twice as wide as high.
    QCOMPARE(LayoutDeviceInfo(QSize(999, 120), QSize(1200, 550)).picture, QRect(30, 50, 200, 100));
  }

  void driverCallbacksReachTheUser() {
    QWidget owner;
    QString status;
    QList<MessageBoxRequest> asked;
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      asked << r;
      return asked.size() == 2 ? QMessageBox::Yes : QMessageBox::No;
    });
    QtDeviceUi ui(h_->state, &owner, h_->Path("config"), nullptr,
                  [&](const QString& text) { status = text; });

    ui.ShowMessage("Failed to read!", "Error", MessageIcon::kExclamation);
    QVERIFY(ui.AskYesNo("Failed to download, would you like to retry?", "Error"));
    QVERIFY(!ui.AskYesNo("Failed to download, would you like to retry?", "Error"));
    QCOMPARE(asked[0].icon, QMessageBox::Warning);
    QCOMPARE(asked[0].caption + asked[0].text, QStringLiteral("ErrorFailed to read!"));
    QCOMPARE(asked[1].icon, QMessageBox::Question);
    QCOMPARE(asked[1].buttons, QMessageBox::Yes | QMessageBox::No);
    ui.SetStatusText("Connected!");
    QCOMPARE(status, QStringLiteral("Connected!"));

    ui.Begin("Downloading...", "Downloading", 40);
    ui.SetPosition(7);
    const auto* progress = owner.findChild<ProgressWindow*>();
    QVERIFY(progress && progress->bar()->maximum() == 40 && progress->bar()->value() == 7);
    ui.End();
    QVERIFY(!owner.findChild<ProgressWindow*>());
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowTest)
#include "main_window_test.moc"
