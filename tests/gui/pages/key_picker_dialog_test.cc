// The key picker on a key-sequence field: what it offers for each interface,
// the byte limits and their message, and what OK and Cancel leave in the
// field's key buffer and text.
#include <QCheckBox>
#include <QRadioButton>

#include "pages/operation/key_picker_dialog.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/named/control_name.h"
#include "settings/operation/operation_page_ids.h"
#include "tests/gui/support/sheet_driver.h"

namespace k470::gui {

using testing::Control;
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

  // Clicks the field; `use` works the picker, then it closes with `result`.
  void Pick(const std::function<void(KeyPickerDialog&)>& use, int result = QDialog::Accepted) {
    SetDialogHandler([&](QDialog& d) {
      scope_ = &d;
      use(dynamic_cast<KeyPickerDialog&>(d));
      scope_ = nullptr;
      return result;
    });
    QTest::mouseClick(edit_, Qt::LeftButton);
    SetDialogHandler({});
  }
  void Click(int code) {
    auto* grid = On<KeyGridView>(kControlName<ids::kPickerGrid>);
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(code / 16, code % 16).center());
  }
  QString Result() { return On<ResultLine>(kControlName<ids::kPickerResult>)->text(); }

 private slots:
  void init() { Reset(); }
  void cleanup() {
    TearDown();
    page_.reset();
  }

  void serialFieldTakesCharactersUpToItsSize() {
    Field(SelectedInterface::kM912Vcom, {'I', 'D', 0x0D});
    QCOMPARE(edit_->text(), "ID[CR]");
    Pick([&](KeyPickerDialog& d) {
      QVERIFY(!On(kControlName<ids::kPickerScanCode>)->isVisibleTo(&d) &&
              !On(kControlName<ids::kPickerShift>)->isVisibleTo(&d));
      for (int code : {0x41, 0x20, 0x7F, 0x09, 0x42}) Click(code);
      QVERIFY(messages_.isEmpty());
      Click(0x43);
      QCOMPARE(messages_, kTooMany);
      // Clicks on the headers add nothing.
      auto* grid = On<KeyGridView>(kControlName<ids::kPickerGrid>);
      QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(grid->CellRect(2, 0).center().x(), 2));
      QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(2, grid->CellRect(0, 5).center().y()));
    });
    QCOMPARE(edit_->text(), "ID[CR]A[Space]DEL[HT]B");
    QCOMPARE(field_->buffer(), (KeyBuffer{'I', 'D', 0x0D, 'A', ' ', 0x7F, 0x09, 'B'}));
  }

  void ampersandShowsAsOneEverywhere() {
    Field(SelectedInterface::kBluetoothSpp, {});
    Pick([&](KeyPickerDialog&) {
      QCOMPARE(On<KeyGridView>(kControlName<ids::kPickerGrid>)->CellText(2, 6), "&");
      Click('&');
      QCOMPARE(Result(), "&");
    });
    QCOMPARE(edit_->text(), "&");
  }

  void cancelRestoresTheFieldAndTypingChangesOnlyTheText() {
    Field(SelectedInterface::kBluetoothHid, {0xC1, 0x09});
    edit_->setFocus();
    edit_->selectAll();
    QTest::keyClicks(edit_, "xyz");
    Pick([&](KeyPickerDialog&) { Click('a'); }, QDialog::Rejected);
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
    Pick([&](KeyPickerDialog&) {
      Press(kControlName<ids::kPickerShift>);
      Click('a');
      Click('b');
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC1, 'a', 0xC1, 'b'}));
    QCOMPARE(edit_->text(), "[Shift]a[Shift]b");
    field_->SetBuffer(field_->buffer());  // as a reload of the page shows it
    QCOMPARE(edit_->text(), "[Shift][a][Shift][b]");

    // Seven bytes composed: a key with Left Alt needs two and is refused whole.
    Field(SelectedInterface::kBluetoothHid, {'1', '2', '3', '4', '5', '6', '7'});
    Pick([&](KeyPickerDialog&) {
      Press(kControlName<ids::kPickerLeftAlt>);
      Click(0x0D);
      QCOMPARE(messages_, kTooMany);
      Press(kControlName<ids::kPickerLeftAlt>);  // without it the key takes the last byte
      Click(0x0D);
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{'1', '2', '3', '4', '5', '6', '7', 0x0D}));
  }

  void scanCodesComeInPairsAndSwitchingTypeEmptiesTheSequence() {
    Field(SelectedInterface::kBluetoothHid, {0xC2, 'x'});
    Pick([&](KeyPickerDialog&) {
      Press(kControlName<ids::kPickerScanCode>);
      QCOMPARE(Result(), "");
      QVERIFY(!On(kControlName<ids::kPickerShift>)->isEnabled());
      for (int code : {0x1C, 0x2A, 0xFF, 0x00}) Click(code);
      QVERIFY(messages_.isEmpty());
      Click(0x10);
      QCOMPARE(messages_, kTooMany);
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC0, 0x1C, 0xC0, 0x2A, 0xC0, 0xFF, 0xC0, 0x00}));
    QCOMPARE(edit_->text(), "[1C]2AFF[00]");

    // Back to normal keys, then OK with nothing composed: an empty sequence.
    Pick([&](KeyPickerDialog&) {
      QVERIFY(Checked(kControlName<ids::kPickerScanCode>));
      Press(kControlName<ids::kPickerNormalKey>);
    });
    QCOMPARE(field_->buffer(), KeyBuffer{});
  }

  void clearEmptiesTheCompositionAndKeepsTheModifiers() {
    Field(SelectedInterface::kBluetoothHid, {0xD0, 0x02});
    Pick([&](KeyPickerDialog&) {
      QVERIFY(Checked(kControlName<ids::kPickerRightAlt>));
      Press(kControlName<ids::kPickerClear>);
      Click(0x02);
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xD0, 0x02}));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::KeyPickerTest)
#include "key_picker_dialog_test.moc"
