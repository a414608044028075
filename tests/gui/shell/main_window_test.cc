// The main window without a reader: menus and toolbar, the status texts of
// the presence poll and of a command, the settings file commands, and the
// other ways in: files by name, the recent files, a dropped file, the title.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
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

  const QString kSaveThem = "K470Configuration: The settings have been changed. Save them?";
  QTemporaryDir dir_;
  AppState state_;
  std::vector<std::string> probed_;  // ports the presence poll tried
  bool port_opens_ = false;
  std::optional<std::string> open_choice_;  // what the file dialogs answer
  std::string save_choice_;
  QStringList shown_;                                         // "caption: text" of each message box
  QMessageBox::StandardButton answer_ = QMessageBox::Cancel;  // to "Save them?"

  std::unique_ptr<MainWindow> MakeWindow(std::vector<PageEntry> pages = {}) {
    state_ = AppState{};
    state_.port_list = {"/dev/ttyACM3", "/dev/ttyACM4", "-Select-"};
    MainWindowServices services = DefaultMainWindowServices(dir_.path().toStdString());
    services.discover_ports = [] { return std::vector<std::string>{"-Select-"}; };
    services.port_can_be_opened = [this](const std::string& name) {
      probed_.push_back(name);
      return port_opens_;
    };
    services.file_chooser.choose_open = [this](QWidget*) { return open_choice_; };
    services.file_chooser.choose_save = [this](QWidget*) { return std::optional(save_choice_); };
    if (!pages.empty()) services.settings_pages = std::move(pages);
    return std::make_unique<MainWindow>(state_, std::move(services));
  }

 private slots:
  // Dialogs are cancelled, message boxes noted and answered.
  void init() {
    probed_.clear();
    shown_.clear();
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      shown_ << r.caption + ": " + r.text;
      return r.text.startsWith("The settings have") ? answer_ : QMessageBox::Ok;
    });
  }
  void cleanup() {
    SetDialogHandler({});
    SetMessageBoxHandler({});
  }

  // The menu texts are the code's own table; what can go wrong is an id or a
  // key given twice, or a command left out of the menus.
  void menusAndToolbarHoldEveryCommandOnceWithItsOwnKeys() {
    auto window = MakeWindow();
    QStringList ids, keys;
    for (const QAction* menu : window->menuBar()->actions()) {
      for (const QAction* a : menu->menu()->actions()) {
        if (a->isSeparator() || a->menu()) continue;  // Open Recent: below
        ids << a->objectName();
        for (const QKeySequence& key : a->shortcuts()) keys << key.toString();
      }
    }
    QCOMPARE(ids.size(), 14);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
  }

  QAction* Action(const MainWindow& window, const QString& name) {
    return testing::Control<QAction>(window, name);
  }
  QStringList RecentEntries(const MainWindow& window) {
    QStringList entries;
    for (const QAction* a : testing::Control<QMenu>(window, "recentFiles")->actions()) {
      if (!a->isSeparator()) entries << a->text();
    }
    return entries;
  }
  std::string Touch(const QString& name) {
    QFile file(dir_.filePath(name));
    file.open(QIODevice::WriteOnly);
    return file.fileName().toStdString();
  }

  void statusFollowsThePoll() {
    auto window = MakeWindow();
    QCOMPARE(window->StatusText(), "USB VCOM is closed...");
    port_opens_ = true;
    window->PollPresence();
    QCOMPARE(window->StatusText(), "USB VCOM is opened...");
    QVERIFY(probed_ == std::vector<std::string>{"/dev/ttyACM3"});  // the first port only
    port_opens_ = false;
  }

  // Without a configured port a command asks for one, the poll paused and the
  // status saying so; cancelling is no error. A page's Set clock runs the same
  // way, with the driver's dialogs over the sheet.
  void commandsAskForAPortOverTheWindowOrTheSheet() {
    QStringList pages_log;
    auto window = MakeWindow({testing::ProbeEntry(PageId::kDateTime, "Date", pages_log)});
    SetDialogHandler([&](QDialog& dialog) {
      if (dialog.windowTitle() == "Device Settings") {
        testing::Control<QPushButton>(dialog, "clock")->click();
        return static_cast<int>(QDialog::Accepted);
      }
      shown_ << QStringLiteral("%1 over %2 (%3, poll %4)")
                    .arg(dialog.windowTitle(), dialog.parentWidget()->windowTitle(),
                         window->StatusText(), window->PresencePollActive() ? "on" : "off");
      return static_cast<int>(QDialog::Rejected);
    });
    window->RunCommand(CommandId::kConfigureDevice);
    window->findChild<QAction*>(QString::number(static_cast<int>(CommandId::kBatteryInfo)))
        ->trigger();
    const QString asked = "COM Port Properties over %1 (Connecting to K470......, poll off)";
    QCOMPARE(shown_,
             QStringList({asked.arg("Device Settings"),
                          asked.arg("K470Configuration " + QLatin1String(kProgramVersion))}));
    QCOMPARE(window->StatusText(), "Disconnected!");
    QVERIFY(window->PresencePollActive());
  }

  // Edits are never dropped without a word: New, Open, Read Settings and
  // closing ask first; Yes saves, Cancel keeps everything as it was.
  void editedSettingsAreSavedOrKeptBeforeTheyWouldBeDropped() {
    const std::string first = dir_.filePath("first.K470").toStdString();
    auto window = MakeWindow();
    const auto edit = [&] {
      state_.image.SetField(kShutdownTimeout, state_.image.Field(kShutdownTimeout) + 1);
    };

    // Untouched defaults: nothing to ask.
    open_choice_ = save_choice_ = first;
    window->RunCommand(CommandId::kSaveAs);
    window->RunCommand(CommandId::kNew);
    QCOMPARE(shown_, QStringList{});

    edit();
    const SettingsImage edited = state_.image;
    for (CommandId id : {CommandId::kNew, CommandId::kOpen, CommandId::kReadSettings}) {
      window->RunCommand(id);
      QVERIFY(state_.image == edited);
    }
    QVERIFY(!window->close());
    QCOMPARE(shown_, QStringList(4, kSaveThem));
    QVERIFY(state_.image == edited);

    // No drops them; Yes saves them (as Save does, here to the file opened).
    answer_ = QMessageBox::No;
    window->RunCommand(CommandId::kOpen);
    QCOMPARE(state_.settings_path, first);
    edit();
    answer_ = QMessageBox::Yes;
    window->RunCommand(CommandId::kNew);
    QFile saved(QString::fromStdString(first));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    // The defaults' 10, edited, and then New.
    QCOMPARE(static_cast<int>(saved.readAll().at(kShutdownTimeout.byte)), 11);
    QCOMPARE(state_.image.Field(kShutdownTimeout), 10u);

    // Save As after Open writes under the new name and keeps it.
    window->RunCommand(CommandId::kOpen);
    save_choice_ = dir_.filePath("third").toStdString();
    window->RunCommand(CommandId::kSaveAs);
    QCOMPARE(state_.settings_path, save_choice_ + ".K470");
    QVERIFY(QFile::exists(QString::fromStdString(save_choice_ + ".K470")));
  }

  // A save that fails says so, naming the file and the cause, and the edits
  // stay unsaved; cancelling Open's file dialog keeps the edits and their file.
  void aFailedSaveIsToldAndACancelledOpenKeepsTheFile() {
    const std::string file = dir_.filePath("site.K470").toStdString();
    auto window = MakeWindow();
    answer_ = QMessageBox::No;
    open_choice_ = save_choice_ = file;
    window->RunCommand(CommandId::kSaveAs);
    window->RunCommand(CommandId::kOpen);
    state_.image.SetField(kShutdownTimeout, 42);

    open_choice_.reset();
    window->RunCommand(CommandId::kOpen);
    QCOMPARE(state_.image.Field(kShutdownTimeout), 42u);
    QCOMPARE(state_.settings_path, file);
    shown_.clear();

    save_choice_ = dir_.filePath("no/such/folder/x").toStdString();
    window->RunCommand(CommandId::kSaveAs);
    QCOMPARE(shown_, QStringList{"Failed!: The settings could not be saved to\n" +
                                 QString::fromStdString(save_choice_) +
                                 ".K470\n\nNo such file or directory."});
    // Still unsaved: New asks first.
    shown_.clear();
    window->RunCommand(CommandId::kNew);
    QCOMPARE(shown_, QStringList{kSaveThem});
  }

  // A file opened by name (command line, drop, recent files) goes the way of
  // File > Open: edits are asked about, a file that cannot be read is said,
  // the sheet shows; the title names the file and marks unsaved changes.
  void aFileOpenedByNameIsAskedAboutSaidAndTitled() {
    const QString program = "K470Configuration " + QLatin1String(kProgramVersion);
    QStringList dialogs;
    SetDialogHandler([&](QDialog& dialog) {
      dialogs << dialog.windowTitle() + " over " + dialog.parentWidget()->windowTitle();
      return static_cast<int>(QDialog::Rejected);
    });
    auto window = MakeWindow();
    window->show();
    QCOMPARE(window->windowTitle(), program);

    save_choice_ = dir_.filePath("site").toStdString();
    window->RunCommand(CommandId::kSaveAs);
    QCOMPARE(window->windowTitle(), "site.K470[*] \u2014 " + program);
    QVERIFY(!window->isWindowModified());
    state_.image.SetField(kShutdownTimeout, 42);
    window->RunCommand(CommandId::kConfigureDevice);
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->windowHandle()->title(), "site.K470* \u2014 " + program);

    const std::string other = Touch("other.k470");
    answer_ = QMessageBox::Cancel;
    window->OpenFile(QString::fromStdString(other));
    QCOMPARE(state_.image.Field(kShutdownTimeout), 42u);
    answer_ = QMessageBox::No;
    window->OpenFile(QString::fromStdString(other));
    QCOMPARE(state_.settings_path, other);
    QCOMPARE(window->windowTitle(), "other.k470[*] \u2014 " + program);
    QVERIFY(!window->isWindowModified());
    QCOMPARE(dialogs, QStringList({"Device Settings over site.K470[*] \u2014 " + program,
                                   "Device Settings over other.k470[*] \u2014 " + program}));

    const QString missing = dir_.filePath("missing.K470");
    window->OpenFile(missing);
    QCOMPARE(shown_, QStringList({kSaveThem, kSaveThem,
                                  "Failed!: The settings could not be opened from\n" + missing +
                                      "\n\nNo such file or directory."}));
    QCOMPARE(dialogs.size(), 2);
    QVERIFY(RecentEntries(*window).join(' ').indexOf("missing") < 0);

    window->RunCommand(CommandId::kNew);
    QCOMPARE(window->windowTitle(), program);
  }

  // The last eight files opened or saved, newest first, kept for the next run
  // in a file of their own; one that is gone leaves the list when chosen.
  void recentFilesAreTheNewestEightKeptAcrossRuns() {
    const QString kept = dir_.filePath("recent-files.txt");
    QFile::remove(kept);
    auto window = MakeWindow();
    QVERIFY(!testing::Control<QMenu>(*window, "recentFiles")->isEnabled());
    for (int i = 1; i <= 9; ++i) {
      save_choice_ = dir_.filePath(QStringLiteral("r%1").arg(i)).toStdString();
      window->RunCommand(CommandId::kSaveAs);
    }
    open_choice_ = dir_.filePath("r5.K470").toStdString();
    window->RunCommand(CommandId::kOpen);

    auto next_run = MakeWindow();  // the same configuration folder
    const QStringList entries = RecentEntries(*next_run);
    QCOMPARE(entries.size(), 9);  // eight files and Clear
    QCOMPARE(entries.front(), "&1 " + QDir::toNativeSeparators(dir_.filePath("r5.K470")));
    QVERIFY(entries[1].startsWith("&2 ") && entries[1].endsWith("r9.K470"));
    QVERIFY(entries[7].startsWith("&8 ") && entries[7].endsWith("r2.K470"));
    QCOMPARE(entries.back(), "Clear");
    QVERIFY(!QFile::exists(dir_.filePath("K470Configuration.ini")));

    shown_.clear();
    QFile::remove(dir_.filePath("r9.K470"));
    Action(*next_run, "recentFile2")->trigger();
    QCOMPARE(shown_, QStringList{"Failed!: " + QDir::toNativeSeparators(dir_.filePath("r9.K470")) +
                                 "\n\nThe file no longer exists. It has been removed from "
                                 "the recent files."});
    QCOMPARE(RecentEntries(*next_run).size(), 8);
    Action(*next_run, "recentFile3")->trigger();  // r7, now third
    QCOMPARE(QString::fromStdString(state_.settings_path), dir_.filePath("r7.K470"));
    QVERIFY(RecentEntries(*next_run).front().endsWith("r7.K470"));

    Action(*next_run, "clearRecentFiles")->trigger();
    QCOMPARE(RecentEntries(*next_run), QStringList{"Clear"});
    QVERIFY(!testing::Control<QMenu>(*MakeWindow(), "recentFiles")->isEnabled());
  }

  // Dropped files: the first settings file among them opens; nothing else
  // is taken.
  void aDroppedSettingsFileOpens() {
    auto window = MakeWindow();
    window->show();
    const std::string site = Touch("dropped.K470");
    const auto drop = [&](const QList<QUrl>& urls) {
      QMimeData data;
      data.setUrls(urls);
      QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(window.get(), &enter);
      if (!enter.isAccepted()) return false;
      QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(window.get(), &dropped);
      return dropped.isAccepted();
    };
    QVERIFY(!drop({QUrl::fromLocalFile(QString::fromStdString(Touch("notes.txt")))}));
    QVERIFY(!drop({QUrl("https://example.com/x.K470")}));
    QVERIFY(drop({QUrl::fromLocalFile(dir_.filePath("notes.txt")),
                  QUrl::fromLocalFile(QString::fromStdString(site))}));
    QTRY_COMPARE(state_.settings_path, site);
  }

  // Ctrl+Q quits as Exit does, asking about edits first.
  void ctrlQQuits() {
    auto window = MakeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    state_.image.SetField(kShutdownTimeout, 42);
    answer_ = QMessageBox::Cancel;
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(window->isVisible());
    answer_ = QMessageBox::No;
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
    QCOMPARE(shown_, QStringList(2, kSaveThem));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowTest)
#include "main_window_test.moc"
