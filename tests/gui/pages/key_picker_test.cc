// The key picker without a mouse and beyond the default look: a sequence
// composed with key events alone, the grid as screen readers see it, and the
// painted parts under a dark palette, at 14 points and at 150 %.
#include <QAccessible>
#include <QApplication>
#include <QScopeGuard>

#include "pages/operation/key_picker_dialog.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/operation/operation_page_ids.h"
#include "tests/gui/support/sheet_driver.h"

namespace k470::gui {

namespace ids = operation_page_ids;

class KeyPickerTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  static void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    // Not qWaitForWindowActive: it counts a picker active once its parent is.
    QTRY_VERIFY(window->isActiveWindow());
  }
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  static QString Focused() { return QApplication::focusWidget()->objectName(); }
  QString Result() { return On<ResultLine>(ids::kPickerResult)->text(); }
  // Each picker opened from now on is shown and worked by `user`'s keys.
  void OnPicker(std::function<void(QDialog&)> user) {
    SetDialogHandler([this, user = std::move(user)](QDialog& d) {
      QWidget* const outer = std::exchange(scope_, &d);
      Activate(&d);
      user(d);
      scope_ = outer;
      return d.result();
    });
  }

 private slots:
  void init() { Reset(); }
  void cleanup() { TearDown(); }

  void keysAloneOpenTheFieldAndComposeASequence() {
    state_.selected_interface = SelectedInterface::kBluetoothHid;
    QWidget page;
    auto* edit = new QLineEdit(&page);
    auto* field = new KeySequenceField(edit, 8, state_);
    field->SetBuffer({0x41});
    Activate(&page);
    const QString shown = edit->text();
    QTest::keyClick(edit, Qt::Key_X);
    QCOMPARE(edit->text(), shown + "x");  // other keys type as before

    int opened = 0;
    OnPicker([&](QDialog&) {
      ++opened;
      Key(Qt::Key_Escape);  // Cancel
    });
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(edit, Qt::Key_Space);
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(opened, 4);
    QCOMPARE(field->buffer(), KeyBuffer{0x41});
    QCOMPARE(edit->text(), shown);

    QString composed;
    OnPicker([&](QDialog& d) {
      QCOMPARE(Focused(), QString::number(ids::kPickerGrid));
      Key(Qt::Key_Right);
      Key(Qt::Key_Down, {}, 2);
      Key(Qt::Key_Return);  // adds the key, and leaves OK alone
      QVERIFY(d.isVisible() && d.result() == 0);
      Key(Qt::Key_Left, {}, 3);  // stops at the edges
      Key(Qt::Key_Up, {}, 3);
      Key(Qt::Key_Down);
      Key(Qt::Key_Space);

      QStringList chain;  // round to the grid again, in reading order
      do {
        chain << Focused();
        Key(Qt::Key_Tab);
      } while (Focused() != chain.front() && chain.size() < 20);
      QCOMPARE(chain,
               testing::Names({ids::kPickerGrid, ids::kPickerNormalKey, ids::kPickerShift,
                               ids::kPickerLeftCtrl, ids::kPickerLeftAlt, ids::kPickerRightCtrl,
                               ids::kPickerRightAlt, ids::kPickerClear, dialog_button_ids::kOk,
                               dialog_button_ids::kCancel}));
      Key(Qt::Key_Tab, {}, 2);
      Key(Qt::Key_Space);  // Add Shift
      Key(Qt::Key_Backtab, {}, 2);
      Key(Qt::Key_Return);
      composed = Result();
      Key(Qt::Key_Tab);
      Key(Qt::Key_Return);  // off the grid, Enter is OK
    });
    QTest::keyClick(edit, Qt::Key_Space);
    QCOMPARE(field->buffer(), (KeyBuffer{0x41, 0x12, 0x01, 0xC1, 0x01}));
    QCOMPARE(edit->text(), composed);
  }

  void screenReadersReadTheGridAsATableThatFollowsTheSelection() {
    KeyPickerDialog picker({}, 8, SelectedInterface::kBluetoothHid);
    Activate(&picker);
    scope_ = &picker;
    auto* grid = On<KeyGridView>(ids::kPickerGrid);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table->role() == QAccessible::Table && table->text(QAccessible::Name) == "Keys");
    QAccessibleTableInterface* cells = table->tableInterface();
    for (const int type : {ids::kPickerScanCode, ids::kPickerNormalKey}) {
      Press(type);
      QCOMPARE(table->childCount(), KeyGridCodeCount(grid->grid()));
      QCOMPARE(cells->columnCount() * cells->rowCount(), table->childCount());
      for (int index = 0; index < table->childCount(); ++index) {
        QAccessibleInterface* cell = table->child(index);
        const int row = cell->tableCellInterface()->rowIndex();
        const int column = cell->tableCellInterface()->columnIndex();
        QVERIFY(cell == cells->cellAt(row, column) && table->indexOfChild(cell) == index);
        QVERIFY(cell->role() == QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), grid->CellText(column, row));
        QCOMPARE(cell->state().selected, column == 0 && row == 0);
      }
    }
    grid->setFocus();
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    // What a screen reader asks for when told that the focus moved.
    QAccessibleInterface* focused = table->focusChild();
    QVERIFY(focused != nullptr && focused->state().focused);
    QCOMPARE(focused->text(QAccessible::Name), grid->CellText(1, 1));
    QCOMPARE(cells->selectedCells(), QList<QAccessibleInterface*>{focused});

    Key(Qt::Key_Space);
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(On(ids::kPickerResult));
    QCOMPARE(result->text(QAccessible::Name), "Key sequence");
    QCOMPARE(result->text(QAccessible::Value), Result());
    QVERIFY(!Result().isEmpty());
  }

  void underADarkPaletteTheGridAndResultLineAreDarkWithLightText() {
    KeyPickerDialog picker({}, 8, SelectedInterface::kBluetoothHid);
    picker.setPalette(QPalette(QColor(53, 53, 53), QColor(35, 35, 35)));  // button, window
    picker.show();
    auto* grid = picker.findChild<KeyGridView*>();
    const QImage image = grid->grab().toImage();
    const auto lightness = [&image](int x, int y) { return QColor(image.pixel(x, y)).lightness(); };
    const QRect cell = grid->CellRect(0, 2);  // "Delete"
    QVERIFY(lightness(cell.left() + 2, cell.top() + 2) < 128);
    QVERIFY(lightness(cell.left() - 2, 2) < 128);  // a header cell
    int lightest = 0;
    for (int x = cell.left() + 1; x < cell.right(); ++x) {
      lightest = std::max(lightest, lightness(x, cell.center().y()));
    }
    QVERIFY(lightest > 200);
    const QImage line = picker.findChild<ResultLine*>()->grab().toImage();
    QVERIFY(QColor(line.pixel(line.width() - 4, line.height() / 2)).lightness() < 128);
  }

  // At 14 points every label fits its cell and the dialog holds the grid; at
  // 150 % every grid line is one device pixel, cells within a pixel alike.
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
      QVERIFY(picker.rect().contains(grid->geometry()) && grid->size() == grid->sizeHint());
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

    constexpr double kScale = 1.5;
    // As a window's backing store holds a grid: whole device pixels, rounded down.
    const auto render = [](KeyGridView& grid) {
      grid.resize(grid.sizeHint());
      QImage image(static_cast<int>(grid.width() * kScale),
                   static_cast<int>(grid.height() * kScale), QImage::Format_RGB32);
      image.setDevicePixelRatio(kScale);
      image.fill(grid.palette().color(QPalette::Base));
      grid.render(&image);
      return image;
    };
    KeyGridView grid;
    const QRgb base = grid.palette().color(QPalette::Base).rgb();
    const QImage image = render(grid);
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
    QStringList at;  // for the message
    for (int x : lines) at << QString::number(x);
    // The outline may stand a pixel further in: it stays inside the grid when
    // the grid ends in half a device pixel.
    for (int i = 2; i < lines.size(); ++i) {
      const int slack = i == lines.size() - 1 ? 2 : 1;
      QVERIFY2(std::abs((lines[i] - lines[i - 1]) - (lines[1] - lines[0])) <= slack,
               qPrintable(QStringLiteral("lines at ") + at.join(QLatin1Char(' '))));
    }

    // A grid of an odd height ends in half a device pixel: its outline's
    // bottom and right are still inside the picture.
    KeyGridView odd;
    QFont font = odd.font();
    for (int pixels = 12; odd.sizeHint().height() % 2 == 0 && pixels < 40; ++pixels) {
      font.setPixelSize(pixels);
      odd.setFont(font);
    }
    QVERIFY(odd.sizeHint().height() % 2 == 1);
    const QImage odd_image = render(odd);
    QVERIFY(odd_image.pixel(odd_image.width() / 2, odd_image.height() - 1) != base);
    QVERIFY(odd_image.pixel(odd_image.width() - 1, odd_image.height() / 2) != base);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::KeyPickerTest)
#include "key_picker_test.moc"
