// The key picker without a mouse and beyond the default look: a key sequence
// composed with key events alone, the grid as a table that screen readers
// follow, and the painted parts under a dark palette, at a large font and at
// 150 %.
#include <QAccessible>
#include <QApplication>
#include <QRadioButton>
#include <QScopeGuard>

#include "pages/operation/key_picker_dialog.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/operation/operation_page_ids.h"
#include "tests/gui/support/sheet_driver.h"

namespace k470::gui {
namespace {

namespace ids = operation_page_ids;
using testing::Names;

QPalette DarkPalette() {
  QPalette dark(QColor(53, 53, 53), QColor(35, 35, 35));  // button, window
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::ButtonText, Qt::white);
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  return dark;
}

bool Dark(QRgb pixel) { return QColor(pixel).lightness() < 128; }

}  // namespace

class KeyPickerTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::unique_ptr<QWidget> page_;
  QLineEdit* edit_ = nullptr;
  KeySequenceField* field_ = nullptr;

  // A key-sequence field alone in a shown window, with the keyboard focus.
  void Field(SelectedInterface selected, KeyBuffer bytes) {
    state_.selected_interface = selected;
    page_ = std::make_unique<QWidget>();
    edit_ = new QLineEdit(page_.get());
    field_ = new KeySequenceField(edit_, 8, state_);
    field_->SetBuffer(bytes);
    Activate(page_.get());
    edit_->setFocus();
  }
  void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    // Not qWaitForWindowActive: it counts the picker active as soon as the
    // window it stands over is.
    QTRY_VERIFY(window->isActiveWindow());
  }
  // Each picker that opens from now on is shown and `user` works it; the
  // picker ends as the keys pressed leave it.
  void OnPicker(std::function<void(QDialog&)> user) {
    SetDialogHandler([this, user = std::move(user)](QDialog& d) {
      QWidget* const outer = std::exchange(scope_, &d);
      Activate(&d);
      user(d);
      scope_ = outer;
      return d.result();
    });
  }
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  static QString Focused() { return QApplication::focusWidget()->objectName(); }
  QString Result() { return On<ResultLine>(ids::kPickerResult)->text(); }

 private slots:
  void init() { Reset(); }
  void cleanup() {
    TearDown();
    page_.reset();
  }

  void keysAloneOpenTheFieldAndComposeASequence() {
    Field(SelectedInterface::kBluetoothHid, {0x41});
    const QString shown = edit_->text();
    QTest::keyClick(edit_, Qt::Key_X);
    QCOMPARE(edit_->text(), shown + "x");  // other keys type as before

    // Each opening key opens the picker; Escape is Cancel.
    int opened = 0;
    OnPicker([&](QDialog&) {
      ++opened;
      Key(Qt::Key_Escape);
    });
    QTest::keyClick(edit_, Qt::Key_Return);
    QTest::keyClick(edit_, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(edit_, Qt::Key_Space);
    QTest::keyClick(edit_, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(opened, 4);
    QCOMPARE(field_->buffer(), KeyBuffer{0x41});
    QCOMPARE(edit_->text(), shown);

    QString composed;
    OnPicker([&](QDialog& d) {
      QCOMPARE(Focused(), QString::number(ids::kPickerGrid));
      Key(Qt::Key_Right);
      Key(Qt::Key_Down, Qt::NoModifier, 2);
      Key(Qt::Key_Return);  // adds the key, and leaves OK alone
      QVERIFY(d.isVisible() && d.result() == 0);
      Key(Qt::Key_Left, Qt::NoModifier, 3);  // stops at the edges
      Key(Qt::Key_Up, Qt::NoModifier, 3);
      Key(Qt::Key_Down);
      Key(Qt::Key_Space);

      // Tab goes in reading order, round to the grid again.
      QStringList chain;
      do {
        chain << Focused();
        Key(Qt::Key_Tab);
      } while (Focused() != chain.front() && chain.size() < 20);
      QCOMPARE(chain, Names({ids::kPickerGrid, ids::kPickerNormalKey, ids::kPickerShift,
                             ids::kPickerLeftCtrl, ids::kPickerLeftAlt, ids::kPickerRightCtrl,
                             ids::kPickerRightAlt, ids::kPickerClear, dialog_button_ids::kOk,
                             dialog_button_ids::kCancel}));
      Key(Qt::Key_Tab, Qt::NoModifier, 2);
      Key(Qt::Key_Space);  // Add Shift
      Key(Qt::Key_Backtab, Qt::NoModifier, 2);
      Key(Qt::Key_Return);
      composed = Result();
      Key(Qt::Key_Tab);
      Key(Qt::Key_Return);  // off the grid, Enter is OK
    });
    QTest::keyClick(edit_, Qt::Key_Space);
    QCOMPARE(field_->buffer(), (KeyBuffer{0x41, 0x12, 0x01, 0xC1, 0x01}));
    QCOMPARE(edit_->text(), composed);
  }

  void screenReadersReadTheGridAsATableThatFollowsTheSelection() {
    Field(SelectedInterface::kBluetoothHid, {});
    OnPicker([&](QDialog&) {
      auto* grid = On<KeyGridView>(ids::kPickerGrid);
      QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
      QCOMPARE(table->role(), QAccessible::Table);
      QCOMPARE(table->text(QAccessible::Name), "Keys");
      QAccessibleTableInterface* cells = table->tableInterface();
      for (const int type : {ids::kPickerNormalKey, ids::kPickerScanCode}) {
        Press(type);
        QCOMPARE(cells->columnCount(), KeyGridColumns(grid->grid()));
        QCOMPARE(cells->rowCount(), kKeyGridRows);
        QCOMPARE(table->childCount(), cells->columnCount() * cells->rowCount());
        for (int index = 0; index < table->childCount(); ++index) {
          QAccessibleInterface* cell = table->child(index);
          const int row = cell->tableCellInterface()->rowIndex();
          const int column = cell->tableCellInterface()->columnIndex();
          QVERIFY(cell == cells->cellAt(row, column) && table->indexOfChild(cell) == index);
          QCOMPARE(cell->role(), QAccessible::Cell);
          QCOMPARE(cell->text(QAccessible::Name), grid->CellText(column, row));
          QCOMPARE(cell->state().selected,
                   column == grid->selected_column() && row == grid->selected_row());
        }
      }
      Press(ids::kPickerNormalKey);
      grid->setFocus();
      Key(Qt::Key_Down);
      Key(Qt::Key_Right);
      // What a screen reader asks for when the grid tells it the focus moved.
      QAccessibleInterface* focused = table->focusChild();
      QVERIFY(focused != nullptr);
      QCOMPARE(focused->text(QAccessible::Name), grid->CellText(1, 1));
      QVERIFY(focused->state().focused);
      QCOMPARE(cells->selectedCells(), QList<QAccessibleInterface*>{focused});

      Key(Qt::Key_Space);
      QAccessibleInterface* result = QAccessible::queryAccessibleInterface(On(ids::kPickerResult));
      QCOMPARE(result->text(QAccessible::Name), "Key sequence");
      QCOMPARE(result->text(QAccessible::Value), Result());
      QVERIFY(!Result().isEmpty());
    });
    QTest::keyClick(edit_, Qt::Key_Space);
  }

  void underADarkPaletteTheGridAndResultLineAreDarkWithLightText() {
    KeyPickerDialog picker({}, 8, SelectedInterface::kBluetoothHid);
    picker.setPalette(DarkPalette());
    auto* grid = picker.findChild<KeyGridView*>();
    auto* result = picker.findChild<ResultLine*>();
    result->SetText("[Shift]");
    picker.show();
    const QImage image = grid->grab().toImage();
    const QRect cell = grid->CellRect(0, 2);  // "Delete"
    QVERIFY(Dark(image.pixel(cell.topLeft() + QPoint(2, 2))));
    QVERIFY(Dark(image.pixel(cell.left() - 2, 2)));  // a header cell
    int lightest = 0;
    for (int x = cell.left() + 1; x < cell.right(); ++x) {
      lightest = std::max(lightest, QColor(image.pixel(x, cell.center().y())).lightness());
    }
    QVERIFY2(lightest > 200, qPrintable(QString::number(lightest)));
    const QImage line = result->grab().toImage();
    QVERIFY(Dark(line.pixel(line.width() - 4, line.height() / 2)));
  }

  // At 14 points every label fits its cell and the dialog holds the grid;
  // at 150 % every grid line is one device pixel and the cells are within a
  // pixel of one another.
  void largeFontsAndScalingNeitherClipNorBlur() {
    const QFont normal = QApplication::font();
    const auto restore = qScopeGuard([&] { QApplication::setFont(normal); });
    QFont large = normal;
    large.setPointSize(14);
    QApplication::setFont(large);
    for (const auto selected : {SelectedInterface::kM912Vcom, SelectedInterface::kBluetoothHid}) {
      KeyPickerDialog picker({}, 8, selected);
      picker.show();
      scope_ = &picker;
      auto* grid = On<KeyGridView>(ids::kPickerGrid);
      QVERIFY(picker.rect().contains(grid->geometry()));
      QCOMPARE(grid->size(), grid->sizeHint());
      const QFontMetrics metrics(grid->font());
      for (const int type : {ids::kPickerNormalKey, ids::kPickerScanCode}) {
        if (selected == SelectedInterface::kBluetoothHid) Press(type);
        for (int c = 0; c < KeyGridColumns(grid->grid()); ++c) {
          for (int r = 0; r < kKeyGridRows; ++r) {
            const QRect cell = grid->CellRect(c, r);
            QVERIFY2(metrics.horizontalAdvance(grid->CellText(c, r)) <= cell.width() &&
                         metrics.height() <= cell.height(),
                     qPrintable(grid->CellText(c, r)));
          }
        }
      }
    }

    KeyGridView grid;
    grid.resize(grid.sizeHint());
    constexpr double kScale = 1.5;
    const QRgb base = grid.palette().color(QPalette::Base).rgb();
    QImage image(grid.size() * kScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(kScale);
    image.fill(base);
    grid.render(&image);
    const QRect first = grid.CellRect(0, 4);
    const int y = static_cast<int>(std::ceil(first.top() * kScale)) + 2;  // above the text
    const int columns = KeyGridColumns(grid.grid());
    QList<int> lines;  // between the data columns, then the outline
    for (int x = static_cast<int>(first.left() * kScale) + 2; lines.size() < columns; ++x) {
      QVERIFY(x < image.width());
      if (image.pixel(x, y) == base) continue;
      lines << x;
      QVERIFY2(lines.size() == columns || image.pixel(x + 1, y) == base, "a line too wide");
    }
    for (int i = 2; i < lines.size(); ++i) {
      QVERIFY(std::abs((lines[i] - lines[i - 1]) - (lines[1] - lines[0])) <= 1);
    }
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::KeyPickerTest)
#include "key_picker_test.moc"
