// Every window of the program, as the screenshots show them: Tab visits the
// controls in reading order and ends with OK and Cancel, and a screen reader
// hears each control by what it is, never by the value it shows.
#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "shell/device_settings_sheet.h"
#include "shell/window_tour.h"
#include "widgets/modal.h"
#include "widgets/named_list_accessible.h"

namespace k470::gui {
namespace {

QString Id(const QObject* object) {
  if (object == nullptr) return {};
  return object->objectName().isEmpty() ? Id(object->parent()) + QStringLiteral("/") +
                                              QLatin1String(object->metaObject()->className())
                                        : object->objectName();
}

// The widgets Tab stops at in `window`, in the order it visits them.
QList<QWidget*> TabStops(QWidget& window) {
  QList<QWidget*> stops;
  for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
        w->focusProxy() == nullptr) {
      stops << w;
    }
  }
  return stops;
}

bool Holds(QLayoutItem* item, const QWidget* w) {
  if (QWidget* held = item->widget()) return held == w || held->isAncestorOf(w);
  QLayout* layout = item->layout();
  for (int i = 0; layout != nullptr && i < layout->count(); ++i) {
    if (Holds(layout->itemAt(i), w)) return true;
  }
  return false;
}

// The columns of a page are the items of its horizontal top layout.
int ColumnOf(const QWidget& root, const QWidget* w) {
  auto* columns = qobject_cast<QHBoxLayout*>(root.layout());
  for (int i = 0; columns != nullptr && i < columns->count(); ++i) {
    if (Holds(columns->itemAt(i), w)) return i;
  }
  return 0;
}

// Where `stops` inside `root` go against reading order: into a column left
// of the last one, or within a column to a control above or, on the same
// line, left of one visited before. A grid may be read by rows or by columns.
QStringList ReadingOrderFaults(const QWidget& root, const QList<QWidget*>& stops) {
  QStringList faults;
  const auto place = [&root](const QWidget* w) {
    return QRect(w->mapTo(&root, QPoint()), w->size());
  };
  for (qsizetype i = 1; i < stops.size(); ++i) {
    const QRect at = place(stops[i]);
    for (qsizetype j = 0; j < i; ++j) {
      const QRect before = place(stops[j]);
      const int column_step = ColumnOf(root, stops[i]) - ColumnOf(root, stops[j]);
      const bool above =
          at.left() <= before.right() && before.left() <= at.right() && at.bottom() < before.top();
      const bool left =
          at.top() <= before.bottom() && before.top() <= at.bottom() && at.right() < before.left();
      if (column_step < 0 || (column_step == 0 && (above || left))) {
        faults << Id(stops[i]) + QStringLiteral(" after ") + Id(stops[j]);
      }
    }
  }
  return faults;
}

// Tab against reading order in `window`: on the sheet the tab bar first, then
// the controls of `content` in reading order, then OK and Cancel.
QStringList TabOrderFaults(QWidget& window, QWidget& content) {
  QList<QWidget*> stops = TabStops(window);
  QList<QWidget*> first;
  if (auto* sheet = qobject_cast<DeviceSettingsSheet*>(&window)) first << sheet->tabs()->tabBar();
  QList<QWidget*> last;
  for (const char* id : {"1", "2"}) {
    auto* button = window.findChild<QPushButton*>(QLatin1String(id));
    if (button != nullptr && button->isEnabled()) last << button;
  }
  const qsizetype middle = stops.size() - first.size() - last.size();
  if (middle < 0 || stops.mid(0, first.size()) != first ||
      stops.mid(stops.size() - last.size()) != last) {
    QStringList ids;
    for (const QWidget* w : stops) ids << Id(w);
    return {QStringLiteral("Tab visits ") + ids.join(QLatin1Char(' '))};
  }
  stops = stops.mid(first.size(), middle);
  QStringList faults;
  for (const QWidget* w : stops) {
    if (!content.isAncestorOf(w)) faults << Id(w) + QStringLiteral(" among the controls");
  }
  return faults + ReadingOrderFaults(content, stops);
}

// What a control shows. A list box's interface gives its name as every
// text, its value included: its current entry stands in.
QString ValueOf(QAccessibleInterface& control) {
  if (auto* list = qobject_cast<QComboBox*>(control.object())) return list->currentText();
  if (auto* view = qobject_cast<QAbstractItemView*>(control.object())) {
    return view->currentIndex().data().toString();
  }
  return control.text(QAccessible::Value);
}

// "id" and "name" of each shown, enabled input control under `node` that a
// screen reader hears without a name, by its value, or by `group`'s title.
void CollectUnnamed(QAccessibleInterface* node, const QString& group, QStringList& unnamed) {
  static const QList<QAccessible::Role> kInputRoles = {
      QAccessible::EditableText, QAccessible::SpinBox,     QAccessible::ComboBox,
      QAccessible::CheckBox,     QAccessible::RadioButton, QAccessible::Slider,
      QAccessible::PushButton,   QAccessible::ButtonMenu,  QAccessible::List};
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (child == nullptr || child->state().invisible) continue;
    const QString name = child->text(QAccessible::Name).trimmed();
    if (kInputRoles.contains(child->role()) && !child->state().disabled &&
        (name.isEmpty() || name == ValueOf(*child).trimmed() || name == group)) {
      unnamed << Id(child->object()) + QStringLiteral(" \"") + name + QLatin1Char('"');
    }
    CollectUnnamed(child, child->role() == QAccessible::Grouping ? name : group, unnamed);
  }
}

// Checks every box until none is left: most of them switch other controls on.
void CheckEveryBox(QWidget& page) {
  for (bool clicked = true; clicked;) {
    clicked = false;
    for (QCheckBox* box : page.findChildren<QCheckBox*>()) {
      if (box->isVisible() && box->isEnabled() && !box->isChecked()) {
        box->click();
        clicked = true;
      }
    }
  }
}

}  // namespace

class KeyboardAndNamesTest : public QObject {
  Q_OBJECT

  // Every window of the program, each with its check boxes on (most of them
  // switch other controls on); on the sheet, `content` is the page shown.
  // Each fault goes to the log too: a failure message is cut at 1024 characters.
  static void TourEverything(
      const std::function<QStringList(QWidget& window, QWidget& content)>& faults) {
    QStringList all;
    TourWindows([&](QWidget& window, const QString& name) {
      auto* sheet = qobject_cast<DeviceSettingsSheet*>(&window);
      QWidget& content = sheet != nullptr ? *sheet->tabs()->currentWidget() : window;
      CheckEveryBox(content);
      for (const QString& fault : faults(window, content)) {
        qWarning().noquote() << name + QStringLiteral(": ") + fault;
        all << name + QStringLiteral(": ") + fault;
      }
    });
    QVERIFY2(all.isEmpty(), qPrintable(all.join(QStringLiteral("; "))));
  }

 private slots:
  void initTestCase() {
    InstallNamedListAccessible();
    SetMessageBoxHandler([](const MessageBoxRequest&) { return QMessageBox::Ok; });
  }

  void tabVisitsTheControlsInReadingOrderThenOkAndCancel() {
    TourEverything([](QWidget& window, QWidget& content) {
      // The main window and its menus are no form to fill in.
      if (qobject_cast<QDialog*>(&window) == nullptr) return QStringList();
      return TabOrderFaults(window, content);
    });
  }

  void everyControlIsNamedAndNotByItsValue() {
    TourEverything([](QWidget& window, QWidget&) {
      QStringList unnamed;
      CollectUnnamed(QAccessible::queryAccessibleInterface(&window), {}, unnamed);
      return unnamed;
    });
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::KeyboardAndNamesTest)
#include "keyboard_and_names_test.moc"
