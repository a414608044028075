// Every page of the Device Settings sheet and every dialog, reached by id as
// the user reaches them: Tab visits the controls in reading order and ends
// with OK and Cancel, and a screen reader hears each control by what it is,
// never by the value it shows.
#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QTabBar>
#include <QTemporaryDir>

#include "link/failed_lines.h"
#include "pages/operation/key_picker_dialog.h"
#include "settings/date_time/date_time_page_ids.h"
#include "settings/operation/operation_lists.h"
#include "settings/operation/operation_page_ids.h"
#include "settings/system/system_page_ids.h"
#include "settings/tagfilter/single_tag_mode_ids.h"
#include "shell/dialogs/about_dialog.h"
#include "shell/dialogs/com_port_properties_dialog.h"
#include "shell/dialogs/failed_dialog.h"
#include "shell/dialogs/pin_code_dialog.h"
#include "shell/dialogs/upload_dialog.h"
#include "tests/gui/support/sheet_driver.h"
#include "tests/support/scripted_port.h"
#include "widgets/named_list_accessible.h"

namespace k470::gui {
namespace {

namespace ops = operation_page_ids;

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

std::vector<std::string> TwoPorts() { return {"/dev/ttyACM0", "/dev/ttyACM1", "-Select-"}; }

}  // namespace

class KeyboardAndNamesTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  // Told of each window: the sheet with a page (`content`), or a dialog.
  using Check = std::function<void(const QString& what, QWidget& window, QWidget& content)>;

  // Each dialog opened from now on: shown, worked by `user`, then checked.
  void ShowDialogs(const QString& what, const Check& check, std::function<void()> user = {}) {
    InDialogs([=, this] {
      scope_->show();
      if (user) user();
      check(what, *scope_, *scope_);
    });
  }

  // Every page, those made later too, then the dialogs the pages open.
  void TourTheSheet(const Check& check) {
    // Packet Data would switch the Operation page's output controls off.
    state_.image.SetField(kDataFormat, kDataFormatHexadecimal);
    DeviceSettingsSheet& sheet = Sheet(0);
    sheet.show();
    const std::vector<PageEntry> entries = DefaultSettingsPages();
    for (std::size_t tab : {0, 1, 2, 3, 0}) {
      sheet.tabs()->setCurrentIndex(static_cast<int>(tab));
      QCoreApplication::sendPostedEvents();  // a page made now shows from the event loop
      scope_ = sheet.CreatedPage(entries[tab].id);
      QVERIFY(scope_->isVisible());
      CheckEveryBox(*scope_);
      if (entries[tab].id == PageId::kDateTime) Press(date_time_page_ids::kModes[2]);
      check(entries[tab].title, sheet, *scope_);
    }
    for (std::size_t i = 0; i < system_page_ids::kAdvancedButtons.size(); ++i) {
      scope_ = sheet.CreatedPage(PageId::kSystem);
      Press(system_page_ids::kInterfaceRadios[i]);
      ShowDialogs(QStringLiteral("interface %1").arg(i), check);
      Press(system_page_ids::kAdvancedButtons[i]);
    }
    sheet.tabs()->setCurrentIndex(2);
    scope_ = sheet.CreatedPage(PageId::kOperation);
    for (const auto& [mode, button] : {std::pair{ops::kSingleTagMode, ops::kSingleTagAdvanced},
                                       {ops::kMultiTagMode, ops::kMultiTagAdvanced}}) {
      Press(mode);
      // The filter on, with the method that switches the most fields on.
      ShowDialogs(QStringLiteral("scan mode %1").arg(mode), check, [this] {
        Choose(single_tag_mode_ids::kFilterType, QStringLiteral("Include EPC"));
        Press(single_tag_mode_ids::kBySecondField);
      });
      Press(button);
    }
    ShowDialogs(QStringLiteral("Delimiter"), check);
    Press(ops::kDelimiter);
  }

  // The main window's dialogs; the port choosers show after an open failed.
  void TourTheShellDialogs(const Check& check) {
    const auto show = [&check](QDialog& dialog, const QString& what) {
      dialog.show();
      check(what, dialog, dialog);
    };
    QTemporaryDir dir;
    AppState state;
    state.port_list = TwoPorts();
    for (DeviceOperation operation :
         {DeviceOperation::kReadSettings, DeviceOperation::kDownloadSettings,
          DeviceOperation::kBatteryQuery}) {
      ComPortPropertiesDialog dialog(state, operation, dir.path().toStdString());
      show(dialog, QStringLiteral("COM Port Properties %1").arg(static_cast<int>(operation)));
    }
    // The key picker in its keyboard form: key types and modifiers on.
    const KeyBuffer keys{0xC1, 'a'};
    KeyPickerDialog picker(keys, kKeyFieldSize, SelectedInterface::kBluetoothHid);
    show(picker, picker.windowTitle());
    FailedDialog failed(FailedLinesFor(FailureKind::kReaderDoesNotAnswer));
    show(failed, failed.windowTitle());
    AboutDialog about;
    show(about, about.windowTitle());
    VirtualClock clock;
    k470::testing::ScriptedPort port(clock);
    port.refuse_open = true;
    PinCodeDialog pin(state, port, clock, TwoPorts, {});
    FileByteSink sink;
    UploadDialog upload(state, port, sink, TwoPorts, {});
    for (QDialog* dialog : std::initializer_list<QDialog*>{&pin, &upload}) {
      show(*dialog, dialog->windowTitle());
      testing::Control<QPushButton>(*dialog, "1")->click();
      show(*dialog, dialog->windowTitle() + QStringLiteral(" choosing a port"));
    }
  }

  // Each fault goes to the log too: a failure message is cut at 1024 characters.
  void TourEverything(const std::function<QStringList(QWidget& window, QWidget& content)>& faults) {
    QStringList all;
    int windows = 0;
    const Check check = [&](const QString& what, QWidget& window, QWidget& content) {
      ++windows;
      for (const QString& fault : faults(window, content)) {
        qWarning().noquote() << what + QStringLiteral(": ") + fault;
        all << what + QStringLiteral(": ") + fault;
      }
    };
    TourTheSheet(check);
    TourTheShellDialogs(check);
    QCOMPARE(windows, 22);
    QVERIFY2(all.isEmpty(), qPrintable(all.join(QStringLiteral("; "))));
  }

 private slots:
  void initTestCase() { InstallNamedListAccessible(); }
  void init() { Reset(); }
  void cleanup() { TearDown(); }

  void tabVisitsTheControlsInReadingOrderThenOkAndCancel() { TourEverything(TabOrderFaults); }

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
