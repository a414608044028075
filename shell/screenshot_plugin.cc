// k470_screenshot_plugin: a Qt generic plugin that photographs the program's
// main window once it is up, saves it as the PNG file $K470_SCREENSHOT and
// ends the program; with $K470_SCREENSHOT_WINDOW set, the window of that
// title instead (the Device Settings sheet of a file given at start). This is
// how scripts/package-check sees the installed program start and paint
// offscreen:
//   QT_PLUGIN_PATH=<folder holding generic/> QT_QPA_GENERIC_PLUGINS=k470screenshot
// Not installed.
#include <QApplication>
#include <QGenericPlugin>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "shell/shown_main_window.h"

namespace k470::gui {
namespace {

constexpr int kLookEveryMs = 100;
// Ticks the window gets to settle once shown (menus, status bar, port scan).
constexpr int kSettleTicks = 5;
constexpr int kGiveUpTicks = 300;

class Photographer : public QObject {
 public:
  Photographer(QString path, QString title) : path_(std::move(path)), title_(std::move(title)) {
    connect(&timer_, &QTimer::timeout, this, &Photographer::Look);
    timer_.start(kLookEveryMs);
  }

 private:
  // Runs from any event loop, a modal dialog's included.
  void Look() {
    ++ticks_;
    QWidget* window = Subject();
    if (window == nullptr) {
      if (ticks_ > kGiveUpTicks) {
        Finish(false, title_.isEmpty() ? QStringLiteral("no main window was shown")
                                       : QStringLiteral("no window \"%1\" was shown").arg(title_));
      }
      return;
    }
    if (++settled_ticks_ < kSettleTicks) return;
    const QPixmap picture = window->grab();
    if (!picture.save(path_, "PNG")) Finish(false, "cannot write " + path_);
    Finish(true, QStringLiteral("wrote %1: %2x%3 \"%4\"")
                     .arg(path_)
                     .arg(picture.width())
                     .arg(picture.height())
                     .arg(window->windowTitle()));
  }

  QWidget* Subject() const {
    if (title_.isEmpty()) return ShownMainWindow();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() && widget->windowTitle() == title_) return widget;
    }
    return nullptr;
  }

  // Ends at once: the program's own shutdown is not what is being looked at.
  [[noreturn]] static void Finish(bool ok, const QString& message) {
    std::fprintf(ok ? stdout : stderr, "k470screenshot: %s\n", qPrintable(message));
    std::fflush(nullptr);
    std::_Exit(ok ? EXIT_SUCCESS : EXIT_FAILURE);
  }

  QString path_;
  QString title_;
  QTimer timer_;
  int ticks_ = 0;
  int settled_ticks_ = 0;
};

}  // namespace

class ScreenshotPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "screenshot_plugin.json")

 public:
  QObject* create(const QString& key, const QString& /*parameters*/) override {
    const QString path = qEnvironmentVariable("K470_SCREENSHOT");
    if (key != QLatin1String("k470screenshot") || path.isEmpty()) return nullptr;
    return new Photographer(path, qEnvironmentVariable("K470_SCREENSHOT_WINDOW"));
  }
};

}  // namespace k470::gui

#include "screenshot_plugin.moc"
