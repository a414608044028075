// The main window without a reader: menus and toolbar, and the status texts
// of the presence poll and of a command.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "core/version.h"
#include "shell/main_window.h"
#include "tests/gui/support/dialog_test_util.h"
#include "tests/gui/support/probe_pages.h"
#include "widgets/modal.h"

namespace k470::gui {

class MainWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  AppState state_;
  std::vector<std::string> probed_;  // ports the presence poll tried
  bool port_opens_ = false;

  std::unique_ptr<MainWindow> MakeWindow(std::vector<PageEntry> pages = {}) {
    state_ = AppState{};
    probed_.clear();
    state_.port_list = {"/dev/ttyACM3", "/dev/ttyACM4", "-Select-"};
    MainWindowServices services = DefaultMainWindowServices(dir_.path().toStdString());
    services.discover_ports = [] { return std::vector<std::string>{"-Select-"}; };
    services.port_can_be_opened = [this](const std::string& name) {
      probed_.push_back(name);
      return port_opens_;
    };
    if (!pages.empty()) services.settings_pages = std::move(pages);
    return std::make_unique<MainWindow>(state_, std::move(services));
  }

 private slots:
  void cleanup() {
    SetDialogHandler({});
    SetMessageBoxHandler({});
  }

  // The menu texts are the code's own table; what can go wrong is an id or a
  // key given twice.
  void menusAndToolbarHoldEveryCommandOnceWithItsOwnKeys() {
    auto window = MakeWindow();
    QStringList ids, keys;
    for (const QAction* menu : window->menuBar()->actions()) {
      for (const QAction* a : menu->menu()->actions()) {
        if (a->isSeparator()) continue;
        ids << a->objectName();
        for (const QKeySequence& key : a->shortcuts()) keys << key.toString();
      }
    }
    QCOMPARE(ids.size(), 14);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
  }

  void statusFollowsThePollAndACommand() {
    auto window = MakeWindow();
    QCOMPARE(window->StatusText(), "USB VCOM is closed...");
    port_opens_ = true;
    window->PollPresence();
    QCOMPARE(window->StatusText(), "USB VCOM is opened...");
    QVERIFY(probed_ == std::vector<std::string>{"/dev/ttyACM3"});  // the first port only
    port_opens_ = false;

    // No port configured: the command asks for one; cancelling is no error.
    QStringList asked;
    QString status_in_dialog;
    bool poll_in_dialog = true;
    SetDialogHandler([&](QDialog& dialog) {
      asked << dialog.windowTitle();
      status_in_dialog = window->StatusText();
      poll_in_dialog = window->PresencePollActive();
      return static_cast<int>(QDialog::Rejected);
    });
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      asked << r.caption + ": " + r.text;
      return QMessageBox::Ok;
    });
    window->findChild<QAction*>(QString::number(static_cast<int>(CommandId::kBatteryInfo)))
        ->trigger();
    QCOMPARE(asked, QStringList{"COM Port Properties"});
    QCOMPARE(status_in_dialog, "Connecting to K470......");
    QVERIFY(!poll_in_dialog);
    QCOMPARE(window->StatusText(), "Disconnected!");
    QVERIFY(window->PresencePollActive());
  }

  // A page's Set clock runs like any device operation, but with the driver's
  // dialogs over the sheet.
  void aPageSetsTheClockThroughTheWindowsOwnRun() {
    QStringList pages_log;
    auto window = MakeWindow({testing::ProbeEntry(PageId::kDateTime, "Date", pages_log)});
    QStringList shown;
    SetDialogHandler([&](QDialog& dialog) {
      if (dialog.windowTitle() == "Device Settings") {
        testing::Control<QPushButton>(dialog, "clock")->click();
        return static_cast<int>(QDialog::Accepted);
      }
      shown << QStringLiteral("%1 over %2 (%3)")
                   .arg(dialog.windowTitle(), dialog.parentWidget()->windowTitle(),
                        window->StatusText());
      return static_cast<int>(QDialog::Rejected);
    });
    window->RunCommand(CommandId::kConfigureDevice);
    window->RunCommand(CommandId::kBatteryInfo);
    QCOMPARE(shown,
             QStringList({"COM Port Properties over Device Settings (Connecting to K470......)",
                          QStringLiteral("COM Port Properties over K470Configuration ") +
                              QLatin1String(kProgramVersion) + " (Connecting to K470......)"}));
  }

  // Edits are never dropped without a word: New, Open, Read Settings and
  // closing ask first; Yes saves, Cancel keeps everything as it was.
  void editedSettingsAreSavedOrKeptBeforeTheyWouldBeDropped() {
    const std::string first = dir_.filePath("first.K470").toStdString();
    const std::string second = dir_.filePath("second.K470").toStdString();
    std::string save_as = second;
    MainWindowServices services = DefaultMainWindowServices(dir_.path().toStdString());
    services.discover_ports = [] { return std::vector<std::string>{"-Select-"}; };
    services.port_can_be_opened = [](const std::string&) { return false; };
    services.file_chooser.choose_open = [&](QWidget*) { return std::optional(first); };
    services.file_chooser.choose_save = [&](QWidget*) { return std::optional(save_as); };
    state_ = AppState{};
    MainWindow window(state_, std::move(services));
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      asked << r.text;
      return r.text.startsWith("The settings") ? answer : QMessageBox::Ok;
    });
    const auto edit = [&] {
      state_.image.SetField(kShutdownTimeout, state_.image.Field(kShutdownTimeout) + 1);
    };

    // Untouched defaults: nothing to ask.
    window.RunCommand(CommandId::kSaveAs);  // first a file to open later
    save_as = first;
    window.RunCommand(CommandId::kSaveAs);
    window.RunCommand(CommandId::kNew);
    QCOMPARE(asked, QStringList{});

    edit();
    const SettingsImage edited = state_.image;
    for (CommandId id : {CommandId::kNew, CommandId::kOpen, CommandId::kReadSettings}) {
      window.RunCommand(id);
      QVERIFY(state_.image == edited);
    }
    QVERIFY(!window.close());
    QCOMPARE(asked, QStringList(4, "The settings have been changed. Save them?"));
    QVERIFY(state_.image == edited);

    // No drops them; Yes saves them (as Save does, here to the file opened).
    answer = QMessageBox::No;
    window.RunCommand(CommandId::kOpen);
    QCOMPARE(state_.settings_path, first);
    edit();
    answer = QMessageBox::Yes;
    window.RunCommand(CommandId::kNew);
    QFile saved(QString::fromStdString(first));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    // The defaults' 10, edited, and then New.
    QCOMPARE(static_cast<int>(saved.readAll().at(kShutdownTimeout.byte)), 11);
    QCOMPARE(state_.image.Field(kShutdownTimeout), 10u);

    // Save As after Open writes under the new name and keeps it.
    window.RunCommand(CommandId::kOpen);
    save_as = dir_.filePath("third").toStdString();
    window.RunCommand(CommandId::kSaveAs);
    QCOMPARE(state_.settings_path, save_as + ".K470");
    QVERIFY(QFile::exists(QString::fromStdString(save_as + ".K470")));
  }

  // A save that fails says so, naming the file and the cause, and the edits
  // stay unsaved; cancelling Open's file dialog keeps the edits and their file.
  void aFailedSaveIsToldAndACancelledOpenKeepsTheFile() {
    const std::string file = dir_.filePath("site.K470").toStdString();
    std::optional<std::string> open_choice = file;
    std::string save_as = file;
    MainWindowServices services = DefaultMainWindowServices(dir_.path().toStdString());
    services.discover_ports = [] { return std::vector<std::string>{"-Select-"}; };
    services.port_can_be_opened = [](const std::string&) { return false; };
    services.file_chooser.choose_open = [&](QWidget*) { return open_choice; };
    services.file_chooser.choose_save = [&](QWidget*) { return std::optional(save_as); };
    state_ = AppState{};
    MainWindow window(state_, std::move(services));
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    QStringList shown;
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      shown << r.caption + ": " + r.text;
      return r.text.startsWith("The settings have") ? QMessageBox::No : QMessageBox::Ok;
    });
    window.RunCommand(CommandId::kSaveAs);
    window.RunCommand(CommandId::kOpen);
    state_.image.SetField(kShutdownTimeout, 42);

    open_choice.reset();
    window.RunCommand(CommandId::kOpen);
    QCOMPARE(state_.image.Field(kShutdownTimeout), 42u);
    QCOMPARE(state_.settings_path, file);
    shown.clear();

    const std::string missing = dir_.filePath("no/such/folder/x").toStdString();
    save_as = missing;
    window.RunCommand(CommandId::kSaveAs);
    QCOMPARE(shown,
             QStringList{"Failed!: The settings could not be saved to\n" +
                         QString::fromStdString(missing) + ".K470\n\nNo such file or directory."});
    // Still unsaved: New asks first.
    shown.clear();
    window.RunCommand(CommandId::kNew);
    QCOMPARE(shown, QStringList{"K470Configuration: The settings have been changed. Save them?"});
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowTest)
#include "main_window_test.moc"
