// The key picker on a key-sequence field: what it offers for each interface,
// the byte limits and their message, and what OK and Cancel leave in the
// field's key buffer and text.
#include <QCheckBox>
#include <QRadioButton>

#include "pages/operation/key_picker_dialog.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/operation/operation_page_ids.h"
#include "tests/gui/support/sheet_driver.h"

namespace k470::gui {

namespace ids = operation_page_ids;

class KeyPickerTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::unique_ptr<QWidget> page_;
  QLineEdit* edit_ = nullptr;
  KeySequenceField* field_ = nullptr;
  const QStringList kTooMany{"Error: Too many characters !!!"};

  void Field(SelectedInterface selected, KeyBuffer bytes, std::size_t size = 8) {
    state_.selected_interface = selected;
    page_ = std::make_unique<QWidget>();
    edit_ = new QLineEdit(page_.get());
    field_ = new KeySequenceField(edit_, size, state_);
    field_->SetBuffer(bytes);
  }

  // Clicks the field; `user` works the picker, then its OK (or Cancel) closes it.
  void Pick(std::function<void()> user, bool ok = true) {
    InDialogs(std::move(user), ok);
    QTest::mouseClick(edit_, Qt::LeftButton);
  }
  void Click(int code) {
    auto* grid = On<KeyGridView>(ids::kPickerGrid);
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(code / 16, code % 16).center());
  }
  QString Result() { return On<ResultLine>(ids::kPickerResult)->text(); }

 private slots:
  void init() { Reset(); }
  void cleanup() {
    TearDown();
    page_.reset();
  }

  // "&" shows as itself, not as a shortcut mark.
  void serialFieldTakesCharactersUpToItsSize() {
    Field(SelectedInterface::kM912Vcom, {'I', 'D', 0x0D});
    QCOMPARE(edit_->text(), "ID[CR]");
    Pick([&] {
      QVERIFY(!On(ids::kPickerScanCode)->isVisibleTo(scope_) &&
              !On(ids::kPickerShift)->isVisibleTo(scope_));
      QCOMPARE(On<KeyGridView>(ids::kPickerGrid)->CellText(2, 6), "&");
      for (int code : {0x41, 0x20, 0x7F, 0x09, 0x26}) Click(code);
      QCOMPARE(Result(), "ID[CR]A[Space]DEL[HT]&");
      QVERIFY(messages_.isEmpty());
      Click(0x43);
      QCOMPARE(messages_, kTooMany);
      // Clicks on the headers add nothing.
      auto* grid = On<KeyGridView>(ids::kPickerGrid);
      QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(grid->CellRect(2, 0).center().x(), 2));
      QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(2, grid->CellRect(0, 5).center().y()));
    });
    QCOMPARE(edit_->text(), "ID[CR]A[Space]DEL[HT]&");
    QCOMPARE(field_->buffer(), (KeyBuffer{'I', 'D', 0x0D, 'A', ' ', 0x7F, 0x09, '&'}));
  }

  void cancelRestoresTheFieldAndTypingChangesOnlyTheText() {
    Field(SelectedInterface::kBluetoothHid, {0xC1, 0x09});
    edit_->setFocus();
    edit_->selectAll();
    QTest::keyClicks(edit_, "xyz");
    Pick([&] { Click('a'); }, false);
    QCOMPARE(edit_->text(), "[Shift][HT]");
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC1, 0x09}));

    // Typing stops at eight characters of an empty field.
    Field(SelectedInterface::kBluetoothSpp, {});
    edit_->setFocus();
    QTest::keyClicks(edit_, "0123456789");
    QCOMPARE(edit_->text(), "01234567");
    QCOMPARE(field_->buffer(), KeyBuffer{});
  }

  void modifiersStayOnAndAModifiedKeyNeedsTwoBytes() {
    Field(SelectedInterface::kM912Hid, {});
    Pick([&] {
      Press(ids::kPickerShift);
      Click('a');
      Click('b');
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC1, 'a', 0xC1, 'b'}));
    QCOMPARE(edit_->text(), "[Shift]a[Shift]b");
    field_->SetBuffer(field_->buffer());  // as a reload of the page shows it
    QCOMPARE(edit_->text(), "[Shift][a][Shift][b]");
  }

  void scanCodesComeInPairsAndSwitchingTypeEmptiesTheSequence() {
    Field(SelectedInterface::kBluetoothHid, {0xC2, 'x'});
    Pick([&] {
      Press(ids::kPickerScanCode);
      QCOMPARE(Result(), "");
      QVERIFY(!On(ids::kPickerShift)->isEnabled());
      for (int code : {0x1C, 0x2A, 0xFF, 0x00}) Click(code);
      QVERIFY(messages_.isEmpty());
      Click(0x10);
      QCOMPARE(messages_, kTooMany);
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC0, 0x1C, 0xC0, 0x2A, 0xC0, 0xFF, 0xC0, 0x00}));
    QCOMPARE(edit_->text(), "[1C]2AFF[00]");

    // Back to normal keys, then OK with nothing composed: an empty sequence.
    Pick([&] {
      QVERIFY(Checked(ids::kPickerScanCode));
      Press(ids::kPickerNormalKey);
    });
    QCOMPARE(field_->buffer(), KeyBuffer{});
  }

  void clearEmptiesTheCompositionAndKeepsTheModifiers() {
    Field(SelectedInterface::kBluetoothHid, {0xD0, 0x02});
    Pick([&] {
      QVERIFY(Checked(ids::kPickerRightAlt));
      Press(ids::kPickerClear);
      Click(0x02);
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xD0, 0x02}));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::KeyPickerTest)
#include "key_picker_dialog_test.moc"
