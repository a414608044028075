// Every window read in a made-up language, each text bracketed and 40 %
// longer, at the desktop's font and at 14 points: a text shown without
// brackets never went through the translation, and a label or button whose
// text no longer fits was laid out for English or for one font.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "core/defaults.h"
#include "pages/settings_pages.h"
#include "shell/device_settings_sheet.h"
#include "shell/translations.h"
#include "shell/window_tour.h"
#include "widgets/dialog_button_ids.h"
#include "widgets/modal.h"

namespace k470::gui {
namespace {

// A text a person reads: it has a letter in it (numbers and separators are
// the same in every language) and is no file or device path.
bool IsWords(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }) &&
         !QDir::isAbsolutePath(text);
}

QString Shown(QString text) { return text.remove(QLatin1Char('&')); }

bool Translated(const QString& text) { return Shown(text).trimmed().startsWith(QLatin1Char('[')); }

class Reader {
 public:
  QStringList problems;

  void Read(QWidget& window, const QString& name) {
    where_ = name;
    if (auto* bar = window.findChild<QMenuBar*>()) ReadMenus(bar->actions());
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&window)) continue;
      ReadWidget(*w);
    }
    if (auto* menu = qobject_cast<QMenu*>(&window)) ReadMenus(menu->actions());
    // The main window's title is the program's name and the file's.
    if (name != QLatin1String("main-window")) Check(window, window.windowTitle());
  }

 private:
  void ReadWidget(QWidget& w) {
    if (auto* label = qobject_cast<QLabel*>(&w)) {
      Check(w, label->text());
      if (!label->wordWrap()) Fits(w, label->width(), label->sizeHint().width());
    } else if (auto* push = qobject_cast<QPushButton*>(&w)) {
      // Standard buttons speak Qt's own translation, which is not made up.
      const auto* box = qobject_cast<QDialogButtonBox*>(push->parentWidget());
      if (box == nullptr || box->standardButton(push) == QDialogButtonBox::NoButton) {
        Check(w, push->text());
      }
      // Push buttons may be wider than their text needs, never narrower.
      const int margin = push->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, push);
      Fits(w, push->width(), push->fontMetrics().horizontalAdvance(Shown(push->text())) + margin);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
      Check(w, button->text());
      if (!button->text().isEmpty()) Fits(w, button->width(), button->sizeHint().width());
    } else if (auto* box = qobject_cast<QGroupBox*>(&w)) {
      Check(w, box->title());
      Fits(w, box->width(), box->minimumSizeHint().width());
    } else if (auto* list = qobject_cast<QComboBox*>(&w)) {
      for (int i = 0; i < list->count(); ++i) Check(w, list->itemText(i));
    } else if (auto* tabs = qobject_cast<QTabBar*>(&w)) {
      for (int i = 0; i < tabs->count(); ++i) Check(w, tabs->tabText(i));
    }
    if (!w.toolTip().isEmpty()) Check(w, w.toolTip());
  }

  void ReadMenus(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
      if (action->isSeparator()) continue;
      // Recent files are named by their paths.
      if (!action->objectName().startsWith(QLatin1String("recentFile")) ||
          action->menu() != nullptr) {
        Check(action->objectName(), action->text());
      }
      if (action->menu() != nullptr) ReadMenus(action->menu()->actions());
    }
  }

  void Check(const QWidget& w, const QString& text) { Check(Id(w), text); }
  void Check(const QString& id, const QString& text) {
    if (IsWords(text) && !Translated(text)) {
      problems << QStringLiteral("%1: %2 shows untranslated \"%3\"").arg(where_, id, text);
    }
  }
  void Fits(const QWidget& w, int width, int needed) {
    if (width < needed) {
      problems << QStringLiteral("%1: %2 is %3 px wide for a text of %4 px")
                      .arg(where_, Id(w))
                      .arg(width)
                      .arg(needed);
    }
  }
  static QString Id(const QWidget& w) {
    return QStringLiteral("%1 \"%2\"")
        .arg(QLatin1String(w.metaObject()->className()), w.objectName());
  }

  QString where_;
};

}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(InstallTranslationFile(*qApp, QStringLiteral(K470_PSEUDO_QM)));
    SetMessageBoxHandler([](const MessageBoxRequest&) { return QMessageBox::Ok; });
  }

  void everyWindowIsTranslatedAndFits_data() {
    QTest::addColumn<int>("points");
    QTest::newRow("desktop font") << 0;
    QTest::newRow("14 points") << 14;
  }
  void everyWindowIsTranslatedAndFits() {
    QFETCH(int, points);
    const QFont desktop = QApplication::font();
    if (points > 0) {
      QFont large = desktop;
      large.setPointSize(points);
      QApplication::setFont(large);
    }
    Reader reader;
    QStringList windows;
    TourWindows([&](QWidget& window, const QString& name) {
      windows << name;
      reader.Read(window, name);
    });
    QApplication::setFont(desktop);
    QVERIFY(windows.size() > 20);
    // Every finding, whole: Qt Test cuts a long message short.
    for (const QString& problem : reader.problems) qWarning("%s", qPrintable(problem));
    QCOMPARE(reader.problems.size(), 0);
  }

  // The pages store codes, never the texts they show: OK on every page in
  // another language stores what it stores in English.
  void okStoresTheSameSettingsInAnotherLanguage() {
    AppState state;
    New(state);
    const SettingsImage::Bytes before = state.image.bytes();
    DeviceSettingsSheet sheet(state, DefaultSettingsPages(), {});
    for (int tab = 0; tab < sheet.tabs()->count(); ++tab) sheet.tabs()->setCurrentIndex(tab);
    sheet.findChild<QPushButton*>(QString::number(dialog_button_ids::kOk))->click();
    QVERIFY(state.image.bytes() == before);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::TranslationTest)
#include "translation_test.moc"
