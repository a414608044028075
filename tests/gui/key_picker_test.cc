// The key picker on a key-sequence field: what it offers for each interface,
// the byte limits and their message, and what OK and Cancel leave in the
// field's key buffer and text.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

#include "pages/system/key_picker_dialog.h"
#include "pages/system/key_sequence_field.h"
#include "tests/gui/dialog_test_util.h"
#include "widgets/modal.h"

namespace k470::gui {

using testing::Control;

class KeyPickerTest : public QObject {
  Q_OBJECT

  AppState state_;
  std::unique_ptr<QWidget> page_;
  QLineEdit* edit_ = nullptr;
  KeySequenceField* field_ = nullptr;
  QStringList messages_;

  KeySequenceField& Field(SelectedInterface selected, KeyBuffer bytes, std::size_t size = 8) {
    state_.selected_interface = selected;
    page_ = std::make_unique<QWidget>();
    edit_ = new QLineEdit(page_.get());
    field_ = new KeySequenceField(edit_, size, state_);
    field_->SetBuffer(bytes);
    return *field_;
  }

  // Clicks the field; `use` works the picker, then it closes with `result`.
  void Pick(const std::function<void(KeyPickerDialog&)>& use, int result = QDialog::Accepted) {
    SetDialogHandler([&](QDialog& d) {
      use(dynamic_cast<KeyPickerDialog&>(d));
      return result;
    });
    QTest::mouseClick(edit_, Qt::LeftButton);
    SetDialogHandler({});
  }

  static void Click(KeyPickerDialog& d, int code) {
    auto* grid = Control<KeyGridView>(d, "801");
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(code / 16, code % 16).center());
  }
  static QString Result(KeyPickerDialog& d) { return Control<ResultLine>(d, "802")->text(); }
  static bool Shown(KeyPickerDialog& d, const char* id) {
    return Control<QWidget>(d, id)->isVisibleTo(&d);
  }

 private slots:
  void init() {
    state_ = AppState{};
    messages_.clear();
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      messages_ << r.caption + ": " + r.text;
      if (r.icon != QMessageBox::Warning) messages_ << "not an exclamation";
      return QMessageBox::Ok;
    });
  }
  void cleanup() {
    SetMessageBoxHandler({});
    SetDialogHandler({});
    page_.reset();
  }

  void serialFieldTakesCharactersUpToItsSize() {
    Field(SelectedInterface::kM912Vcom, {'I', 'D', 0x0D});
    QCOMPARE(edit_->text(), "ID[CR]");
    Pick([&](KeyPickerDialog& d) {
      QCOMPARE(d.windowTitle(), "ASCII Table");
      QVERIFY(!Shown(d, "601") && !Shown(d, "602") && !Shown(d, "301"));
      QCOMPARE(Result(d), "ID[CR]");
      QCOMPARE(Control<KeyGridView>(d, "801")->grid(), KeyGrid::kAscii);
      for (int code : {0x41, 0x20, 0x7F, 0x09, 0x42}) Click(d, code);
      QVERIFY(messages_.isEmpty());
      Click(d, 0x43);
      QCOMPARE(messages_, QStringList{"Error: Too many characters !!!"});
      // The refused cell is marked all the same.
      auto* grid = Control<KeyGridView>(d, "801");
      QCOMPARE(QPoint(grid->selected_column(), grid->selected_row()), QPoint(4, 3));
      QCOMPARE(Result(d), "ID[CR]A[Space]DEL[HT]B");
      // Clicks on the headers add nothing.
      QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(grid->CellRect(2, 0).center().x(), 2));
      QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(2, grid->CellRect(0, 5).center().y()));
      QCOMPARE(messages_.size(), 1);
    });
    QCOMPARE(edit_->text(), "ID[CR]A[Space]DEL[HT]B");
    QCOMPARE(field_->buffer(), (KeyBuffer{'I', 'D', 0x0D, 'A', ' ', 0x7F, 0x09, 'B'}));
  }

  void ampersandShowsAsOneEverywhere() {
    Field(SelectedInterface::kBluetoothSpp, {});
    Pick([&](KeyPickerDialog& d) {
      QCOMPARE(Control<KeyGridView>(d, "801")->CellText(2, 6), "&");
      Click(d, '&');
      QCOMPARE(Result(d), "&");
    });
    QCOMPARE(edit_->text(), "&");
  }

  void cancelRestoresTheFieldAndTypingChangesOnlyTheText() {
    Field(SelectedInterface::kBluetoothHid, {0xC1, 0x09});
    QCOMPARE(edit_->text(), "[Shift][HT]");
    edit_->setFocus();
    edit_->selectAll();
    QTest::keyClicks(edit_, "xyz");
    QCOMPARE(edit_->text(), "xyz");
    Pick(
        [&](KeyPickerDialog& d) {
          QCOMPARE(Result(d), "[Shift][HT]");
          Click(d, 'a');
          Control<QPushButton>(d, "2")->click();
        },
        QDialog::Rejected);
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
    Pick([&](KeyPickerDialog& d) {
      QVERIFY(Shown(d, "601") && Shown(d, "301"));
      QVERIFY(Control<QRadioButton>(d, "602")->isChecked());
      QCOMPARE(Control<KeyGridView>(d, "801")->grid(), KeyGrid::kNormalKey);
      Control<QCheckBox>(d, "301")->click();
      Click(d, 'a');
      Click(d, 'b');
      QVERIFY(Control<QCheckBox>(d, "301")->isChecked());
      QCOMPARE(Result(d), "[Shift]a[Shift]b");
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC1, 'a', 0xC1, 'b'}));
    QCOMPARE(edit_->text(), "[Shift]a[Shift]b");
    field_->SetBuffer(field_->buffer());  // as a reload of the page shows it
    QCOMPARE(edit_->text(), "[Shift][a][Shift][b]");

    // Seven bytes composed: a key with Left Alt needs two and is refused whole.
    Field(SelectedInterface::kBluetoothHid, {'1', '2', '3', '4', '5', '6', '7'});
    Pick([&](KeyPickerDialog& d) {
      QVERIFY(!Control<QCheckBox>(d, "303")->isChecked());
      Control<QCheckBox>(d, "303")->click();
      Click(d, 0x0D);
      QCOMPARE(messages_, QStringList{"Error: Too many characters !!!"});
      // Without it the key takes the last byte.
      Control<QCheckBox>(d, "303")->click();
      Click(d, 0x0D);
      QCOMPARE(messages_.size(), 1);
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{'1', '2', '3', '4', '5', '6', '7', 0x0D}));

    // The padding field holds one byte: no modified key fits at all.
    Field(SelectedInterface::kBluetoothHid, {}, 1);
    Pick([&](KeyPickerDialog& d) {
      Control<QCheckBox>(d, "301")->click();
      Click(d, '0');
      QCOMPARE(messages_.size(), 2);
    });
    QCOMPARE(field_->buffer(), KeyBuffer{});
  }

  void scanCodesComeInPairsAndSwitchingTypeEmptiesTheSequence() {
    Field(SelectedInterface::kBluetoothHid, {0xC2, 'x'});
    Pick([&](KeyPickerDialog& d) {
      QVERIFY(Control<QCheckBox>(d, "302")->isChecked());
      Control<QRadioButton>(d, "601")->click();
      QCOMPARE(Result(d), "");
      QCOMPARE(Control<KeyGridView>(d, "801")->grid(), KeyGrid::kScanCode);
      QVERIFY(!Control<QCheckBox>(d, "301")->isEnabled());
      for (int code : {0x1C, 0x2A, 0xFF, 0x00}) Click(d, code);
      QVERIFY(messages_.isEmpty());
      Click(d, 0x10);
      QCOMPARE(messages_.size(), 1);
      QCOMPARE(Result(d), "[1C]2AFF[00]");
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC0, 0x1C, 0xC0, 0x2A, 0xC0, 0xFF, 0xC0, 0x00}));
    QCOMPARE(edit_->text(), "[1C]2AFF[00]");
    field_->SetBuffer(field_->buffer());
    QCOMPARE(edit_->text(), "[1C][2A][FF]");

    // Back to normal keys, then OK with nothing composed: an empty sequence.
    Pick([&](KeyPickerDialog& d) {
      QVERIFY(Control<QRadioButton>(d, "601")->isChecked());
      Control<QRadioButton>(d, "602")->click();
      QCOMPARE(Control<KeyGridView>(d, "801")->grid(), KeyGrid::kNormalKey);
      QVERIFY(Control<QCheckBox>(d, "301")->isEnabled());
    });
    QCOMPARE(field_->buffer(), KeyBuffer{});
    QCOMPARE(edit_->text(), "");
  }

  void clearEmptiesTheCompositionAndKeepsTheModifiers() {
    Field(SelectedInterface::kBluetoothHid, {0xD0, 0x02});
    Pick([&](KeyPickerDialog& d) {
      QVERIFY(Control<QCheckBox>(d, "305")->isChecked());
      Control<QPushButton>(d, "1167")->click();
      QCOMPARE(Result(d), "");
      Click(d, 0x02);
      QCOMPARE(Result(d), "[RightAlt][Delete]");
    });
    QCOMPARE(field_->buffer(), (KeyBuffer{0xD0, 0x02}));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::KeyPickerTest)
#include "key_picker_test.moc"
