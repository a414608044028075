// k470_drive_plugin: a Qt generic plugin that drives the running program the
// way an operator would, through its menu commands and dialogs found by their
// ids and titles, and writes down what the program showed. It lets a script
// check a built or installed program, unchanged, against a reader:
//   QT_PLUGIN_PATH=<folder holding generic/> K470Configuration -plugin k470drive
// (under wine the variable is WINEQT_PLUGIN_PATH). From $K470_DRIVE_DIR it
// opens download.K470; into it, it writes read.K470 and transcript.txt. When
// the port does not open, it answers "Failed!" with "COM Setting" and picks
// $K470_DRIVE_PORT in "COM Port Properties". The program then exits: 0 when
// every step ran, 1 when one did not. Not installed.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "shell/shown_main_window.h"

namespace k470::gui {
namespace {

constexpr int kLookEveryMs = 50;
constexpr int kSettleTicks = 5;
// Far more than a read and a download take, even under wine.
constexpr int kGiveUpTicks = 120 * 1000 / kLookEveryMs;

bool Click(QWidget* dialog, const char* id) {
  auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(id));
  if (button == nullptr || !button->isEnabled()) return false;
  button->click();
  return true;
}

class Driver : public QObject {
 public:
  Driver(QString folder, QString port)
      : folder_(std::move(folder)),
        port_(std::move(port)),
        transcript_(QDir(folder_).filePath(QStringLiteral("transcript.txt"))) {
    transcript_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    Log(QStringLiteral("k470drive: started"));
    connect(&answerer_, &QTimer::timeout, this, &Driver::Tick);
    answerer_.start(kLookEveryMs);
  }

 private:
  // Runs from every event loop, the modal ones of the commands included; a
  // timer's handler is never entered twice, so the scenario runs from a
  // single-shot timer of its own and this one keeps answering meanwhile.
  void Tick() {
    if (++ticks_ > kGiveUpTicks) Finish(false, "gave up waiting");
    if (!started_) {
      if (ShownMainWindow() == nullptr || ++settled_ticks_ < kSettleTicks) return;
      started_ = true;
      QTimer::singleShot(0, this, &Driver::RunScenario);
      return;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) Answer(modal);
  }

  void Answer(QWidget* modal) {
    const QString title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      Log("box: " + title + ": " + box->text());
      QAbstractButton* button = box->defaultButton();
      if (button == nullptr && !box->buttons().isEmpty()) button = box->buttons().first();
      if (button != nullptr) button->click();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      // The name first; the dialog takes it on a later tick, once it has
      // looked at the folder, as it would after an operator's typing.
      if (files != file_dialog_) {
        file_dialog_ = files;
        file_dialog_ticks_ = 0;
        Log("file dialog: " + title + ": " + QFileInfo(next_file_).fileName());
        files->setDirectory(QFileInfo(next_file_).absolutePath());
        if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
          name->setText(QFileInfo(next_file_).fileName());
      } else if (++file_dialog_ticks_ > kSettleTicks) {
        Finish(false, title + " did not take " + next_file_);
      } else {
        static_cast<QDialog*>(files)->accept();  // QFileDialog hides it as protected
      }
    } else if (title == QLatin1String("Failed!")) {
      Log("Failed!: COM Setting");
      if (!Click(modal, "1")) Finish(false, "\"Failed!\" has no COM Setting button");
    } else if (title == QLatin1String("COM Port Properties")) {
      auto* ports = modal->findChild<QComboBox*>(QStringLiteral("201"));
      if (ports == nullptr) Finish(false, "COM Port Properties has no port list");
      QStringList listed;
      for (int i = 0; i < ports->count(); ++i) listed << ports->itemText(i);
      Log("COM Port Properties lists: " + listed.join(", "));
      ports->setCurrentText(port_);
      Click(modal, "1");
    } else if (title == QLatin1String("Device Settings")) {
      Log("Device Settings: OK");
      Click(modal, "1");
    } else if (title != QLatin1String("Progress")) {
      Finish(false, "an unexpected window: " + title);
    }
  }

  void RunScenario() {
    Command("1150", "Read Settings");
    next_file_ = QDir(folder_).filePath(QStringLiteral("read.K470"));
    Command("1131", "Save As");
    if (!QFile::exists(next_file_)) Finish(false, "Save As wrote no " + next_file_);
    next_file_ = QDir(folder_).filePath(QStringLiteral("download.K470"));
    Command("1120", "Open");
    Command("1160", "Download Settings");
    Command("32800", "Battery Info.");
    Finish(true, "every step ran");
  }

  void Command(const char* id, const QString& name) {
    QMainWindow* window = ShownMainWindow();
    auto* action = window ? window->findChild<QAction*>(QString::fromLatin1(id)) : nullptr;
    if (action == nullptr || !action->isEnabled()) Finish(false, name + " cannot be chosen");
    Log("> " + name);
    action->trigger();  // returns when the command and its dialogs are done
    if (auto* status = window->findChild<QLabel*>(QStringLiteral("statusText"))) {
      Log("status: " + status->text());
    }
  }

  // Each line is written at once, so a program that hangs still shows how far it got.
  void Log(const QString& line) {
    const QByteArray bytes = (line + '\n').toUtf8();
    if (!transcript_.isOpen() || transcript_.write(bytes) != bytes.size() || !transcript_.flush()) {
      std::fprintf(stderr, "k470drive: cannot write %s\n", qPrintable(transcript_.fileName()));
      std::fflush(nullptr);
      std::_Exit(EXIT_FAILURE);
    }
  }

  // Ends at once, as an operator closing the program would see nothing more.
  [[noreturn]] void Finish(bool ok, const QString& message) {
    Log(QStringLiteral("k470drive: ") + (ok ? "" : "FAILED: ") + message);
    transcript_.close();
    std::fprintf(ok ? stdout : stderr, "k470drive: %s\n", qPrintable(message));
    std::fflush(nullptr);
    std::_Exit(ok ? EXIT_SUCCESS : EXIT_FAILURE);
  }

  QString folder_;
  QString port_;
  QString next_file_;
  QPointer<QFileDialog> file_dialog_;  // null once that dialog is gone
  int file_dialog_ticks_ = 0;
  QFile transcript_;
  QTimer answerer_;
  int ticks_ = 0;
  int settled_ticks_ = 0;
  bool started_ = false;
};

}  // namespace

class DrivePlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "drive_plugin.json")

 public:
  QObject* create(const QString& key, const QString& /*parameters*/) override {
    const QString folder = qEnvironmentVariable("K470_DRIVE_DIR");
    if (key != QLatin1String("k470drive") || folder.isEmpty()) return nullptr;
    return new Driver(folder, qEnvironmentVariable("K470_DRIVE_PORT"));
  }
};

}  // namespace k470::gui

#include "drive_plugin.moc"
