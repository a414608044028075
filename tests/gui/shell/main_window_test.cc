// The main window without a reader: menus and toolbar, the status texts of
// the presence poll and of a command, and the settings file commands.
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
        if (a->isSeparator()) continue;
        ids << a->objectName();
        for (const QKeySequence& key : a->shortcuts()) keys << key.toString();
      }
    }
    QCOMPARE(ids.size(), 14);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
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
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::MainWindowTest)
#include "main_window_test.moc"
