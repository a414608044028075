// The Operation page inside the real Device Settings sheet, driven by control
// id: what OK leaves in the image after a load, the rules that act before OK
// (Output Sequence refusals, data format and output controls, Reset, the
// immediate writes) and the fields, lists and dialogs of its right half.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <algorithm>
#include <random>

#include "core/defaults.h"
#include "pages/operation/operation_page.h"
#include "pages/settings_pages.h"
#include "pages/system/key_picker_dialog.h"
#include "shell/device_settings_sheet.h"
#include "tests/gui/dialog_test_util.h"
#include "tests/support/operation_image.h"
#include "tests/support/system_image.h"
#include "widgets/modal.h"

namespace k470::gui {

using testing::Control;

class OperationPageTest : public QObject {
  Q_OBJECT

  AppState state_;
  std::unique_ptr<DeviceSettingsSheet> sheet_;
  QStringList messages_;
  std::vector<int> advanced_opened_with_;  // the pending scan mode at each "Advanced"

  // The sheet over the state, showing the Operation tab.
  void Sheet() {
    std::vector<PageEntry> pages = DefaultSettingsPages();
    for (PageEntry& entry : pages) {
      if (entry.id != PageId::kOperation) continue;
      entry.create = [this](AppState& state, SheetContext& context) {
        return std::make_unique<OperationPage>(state, context, [this](AppState& s, QWidget*) {
          advanced_opened_with_.push_back(s.pending_scan_mode);
        });
      };
    }
    sheet_ = std::make_unique<DeviceSettingsSheet>(state_, std::move(pages), SheetServices{});
    sheet_->tabs()->setCurrentIndex(2);
  }
  // Ids repeat between pages, so controls are looked up on one page.
  template <typename T = QWidget>
  T* On(const char* id, PageId page = PageId::kOperation) {
    return Control<T>(*sheet_->CreatedPage(page), id);
  }
  void Ok() { Control<QPushButton>(*sheet_, "1")->click(); }
  void Cancel() { Control<QPushButton>(*sheet_, "2")->click(); }
  // Picks an entry of a list as the user does.
  void Choose(const char* id, const QString& text) {
    auto* list = On<QComboBox>(id);
    const int index = list->findText(text);
    QVERIFY2(index >= 0 && list->isEnabled(), qPrintable(text));
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  QString Shown(const char* id) { return On<QComboBox>(id)->currentText(); }
  QStringList Items(const char* id) {
    QStringList items;
    auto* list = On<QListWidget>(id);
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
  QStringList DisplayRow() {
    QStringList row;
    for (const char* id : {"1173", "1191", "1193", "1195"}) row << On<QLineEdit>(id)->text();
    return row;
  }
  void SelectField(const char* list, const QString& name) {
    auto* box = On<QListWidget>(list);
    box->setCurrentItem(box->findItems(name, Qt::MatchExactly).value(0));
  }
  void Press(const char* id) { On<QPushButton>(id)->click(); }

  static void SetSections(SettingsImage& image, unsigned a, unsigned b, unsigned c) {
    image.SetBits(kOutputSequenceWord, 0, 3, a);
    image.SetBits(kOutputSequenceWord, 3, 3, b);
    image.SetBits(kOutputSequenceWord, 6, 3, c);
  }
  static void SetUhfFields(SettingsImage& image, std::initializer_list<unsigned> codes) {
    unsigned j = 0;
    for (unsigned code : codes) image.SetBits(kUhfFieldWord, 3 * j++, 3, code);
  }

 private slots:
  void init() {
    state_ = AppState{};
    New(state_);
    // The factory's Packet Data switches the output controls off; most cases need them on.
    state_.image.SetBits(kDataFormatByte, 2, 2, kDataFormatHexadecimal);
    messages_.clear();
    advanced_opened_with_.clear();
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      messages_ << r.caption + ": " + r.text;
      if (r.icon != QMessageBox::Warning) messages_ << "not an exclamation";
      return QMessageBox::Ok;
    });
  }
  void cleanup() {
    SetMessageBoxHandler({});
    SetDialogHandler({});
    sheet_.reset();
  }

  // The promise of the System and Operation pages: on an image whose fields
  // are all in range, visiting every tab, in any order, and pressing OK
  // changes only what the Operation page always writes and the System page's
  // hidden "Command Indicating Beep", which OK always clears.
  void okOnUntouchedPagesChangesOnlyWhatTheyAlwaysWrite() {
    std::mt19937 random(11);
    for (int round = 0; round < 80; ++round) {
      state_.image = k470::testing::SystemImageInRange(random);
      k470::testing::PutOperationFieldsInRange(state_.image, random);
      AppState derived = state_;
      DeriveSelectedInterface(derived);
      SettingsImage expected =
          k470::testing::WithOperationAlwaysWrites(state_.image, derived.selected_interface);
      expected.SetBit(2, 3, false);  // the System page's hidden command beep
      std::array<int, 4> tabs = {0, 1, 2, 3};
      std::shuffle(tabs.begin(), tabs.end(), random);
      sheet_ =
          std::make_unique<DeviceSettingsSheet>(state_, DefaultSettingsPages(), SheetServices{});
      for (int tab : tabs) sheet_->tabs()->setCurrentIndex(tab);
      Ok();
      QVERIFY2(state_.image == expected, qPrintable(QString::number(round)));
      QVERIFY(messages_.isEmpty());
    }
  }

  void scanModeIsStoredFromThePendingModeAndSingleTagWritesByte88AtOnce() {
    state_.image.SetBits(kScanModeByte, 0, 4, kScanModeMultiTag);
    state_.image.SetBits(kScanModeByte, 4, 4, 0xA);  // the Single TAG Mode dialog's bits
    state_.image.SetByte(kSingleTagModeByte, 0xF7);
    Sheet();
    QVERIFY(On<QRadioButton>("1065")->isChecked());
    QVERIFY(!On("1067")->isEnabled());
    Press("1068");
    QCOMPARE(advanced_opened_with_, std::vector<int>{kScanModeMultiTag});
    Ok();
    QCOMPARE(state_.image.Byte(kScanModeByte), 0xA9);

    Sheet();
    On<QRadioButton>("1066")->click();
    QVERIFY(!On("1067")->isEnabled() && !On("1068")->isEnabled());
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xF7);
    On<QRadioButton>("1064")->click();
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xE8);  // before any OK
    QVERIFY(On("1067")->isEnabled());
    Press("1067");
    QCOMPARE(advanced_opened_with_.back(), kScanModeSingleTag);
    On<QRadioButton>("1066")->click();
    Ok();
    QCOMPARE(state_.image.Bits(kScanModeByte, 0, 4), unsigned{kScanModeTest});
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xE8);

    // A mode no radio button stands for: none checked, none "Advanced", kept.
    state_.image.SetBits(kScanModeByte, 0, 4, 3);
    Sheet();
    for (const char* id : {"1064", "1065", "1066"}) QVERIFY(!On<QRadioButton>(id)->isChecked());
    QVERIFY(!On("1067")->isEnabled() && !On("1068")->isEnabled());
    Ok();
    QCOMPARE(state_.image.Bits(kScanModeByte, 0, 4), 3u);
  }

  void outputSequenceRefusesAllDisabledAndASectionTwice() {
    QStringList shown_at_message;
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      messages_ << r.text;
      shown_at_message << Shown("1076") + "," + Shown("1077") + "," + Shown("1078");
      return QMessageBox::Ok;
    });
    Sheet();
    Choose("1076", "Disable");
    Choose("1077", "Disable");
    QVERIFY(messages_.isEmpty());
    Choose("1078", "Disable");
    QCOMPARE(messages_, QStringList{"All disable is inadmissible!"});
    QCOMPARE(Shown("1078"), "EPC Tag");  // the section the image holds

    Choose("1077", "EPC Tag");
    QCOMPARE(messages_.last(), "The same section can only be used once!");
    QCOMPARE(shown_at_message.last(), "Disable,Disable,EPC Tag");  // put back before the message
    Choose("1076", "Timestamp");
    Ok();
    QCOMPARE(state_.image.Bits(kOutputSequenceWord, 0, 9), 2u | 0u << 3 | 3u << 6);
    QCOMPARE(messages_.size(), 2);

    // Codes without an entry show nothing, count as sections, and are kept.
    SetSections(state_.image, 0, 0, 5);
    Sheet();
    QCOMPARE(On<QComboBox>("1078")->currentIndex(), -1);
    Choose("1078", "Disable");
    QCOMPARE(messages_.size(), 3);
    QCOMPARE(On<QComboBox>("1078")->currentIndex(), -1);
    Ok();
    QCOMPARE(state_.image.Bits(kOutputSequenceWord, 0, 9), 5u << 6);
  }

  void dataFormatFollowsTheInterfaceAndSwitchesTheOutputControls() {
    const char* const output_controls[] = {"1073", "1076", "1081", "1088", "1239", "1097",
                                           "1082", "1169", "1167", "1083", "1093", "1173",
                                           "1170", "1248", "1199", "1200", "1201", "1204"};
    const auto controls_on = [&](bool on) {
      for (const char* id : output_controls) {
        if (On(id)->isEnabled() != on) return QString(id) + (on ? " off" : " on");
      }
      return QString();
    };
    state_.image.SetBits(kDataFormatByte, 0, 4, 0b0011);  // Packet Data, bits 0-1 not ours
    Sheet();
    QCOMPARE(On<QComboBox>("1075")->count(), 3);
    QCOMPARE(Shown("1075"), "Packet Data");
    QCOMPARE(controls_on(false), QString());
    QVERIFY(On("1075")->isEnabled() && On("1080")->isEnabled() && On("1079")->isEnabled());
    Choose("1075", "Hexadecimal");
    QCOMPARE(controls_on(true), QString());
    Choose("1075", "Packet Data");
    QCOMPARE(controls_on(false), QString());

    // Bluetooth HID on the System page: no "Packet Data", and the stored 0 is its Hexadecimal.
    sheet_->tabs()->setCurrentIndex(0);
    On<QRadioButton>("1002", PageId::kSystem)->click();
    QCOMPARE(On<QComboBox>("1075")->count(), 2);
    QCOMPARE(Shown("1075"), "Hexadecimal");
    QCOMPARE(controls_on(true), QString());
    Ok();
    QCOMPARE(state_.image.Bits(kDataFormatByte, 0, 4), 0b0011u);

    // Raw Data keeps its code under both; a serial list without code 3 keeps it.
    state_.image.SetBits(kDataFormatByte, 2, 2, kDataFormatRaw);
    Sheet();
    QCOMPARE(Shown("1075"), "Raw Data");
    Choose("1075", "Hexadecimal");
    Ok();
    QCOMPARE(state_.image.Bits(kDataFormatByte, 2, 2), unsigned{kDataFormatKeyboardHexadecimal});
    state_.image.SetBits(kDataFormatByte, 2, 2, 3);
    Sheet();
    sheet_->tabs()->setCurrentIndex(0);
    On<QRadioButton>("1001", PageId::kSystem)->click();
    QCOMPARE(On<QComboBox>("1075")->currentIndex(), -1);
    QCOMPARE(controls_on(true), QString());
    Ok();
    QCOMPARE(state_.image.Bits(kDataFormatByte, 2, 2), 3u);
  }

  void timestampListsEnableByFormatUnlessTheFirstDataFormatIsShown() {
    state_.image.SetBits(kDataFormatByte, 2, 2, kDataFormatRaw);
    WriteTimestamp(ComposeTimestamp({4, 1, 1, 0}), state_.image);  // [Time], hh:mm
    Sheet();
    QCOMPARE(Shown("1169"), "[Time]");
    QCOMPARE(Shown("1168"), "hh:mm");
    QVERIFY(On("1168")->isEnabled() && On("1103")->isEnabled());
    for (const char* id : {"1102", "1167", "1105", "1174"}) QVERIFY2(!On(id)->isEnabled(), id);
    Choose("1169", "[Date]");
    QVERIFY(On("1167")->isEnabled() && !On("1168")->isEnabled() && !On("1174")->isEnabled());
    Choose("1167", "dd.MM.yyyy");
    Ok();
    QCOMPARE(ReadTimestamp(state_.image), ComposeTimestamp({0, 7, 0, 0}));
    QCOMPARE(state_.image.Bits(kTimestampWord, 21, 2), 2u);

    // Hexadecimal under a keyboard interface is the first entry: the rule waits.
    state_.image.SetBits(16, 3, 3, 5);  // Bluetooth HID
    state_.image.SetBits(kDataFormatByte, 2, 2, 0);
    Sheet();
    QVERIFY(On("1168")->isEnabled() && On("1174")->isEnabled());
    Choose("1169", "[Time]");
    QVERIFY(On("1167")->isEnabled());
  }

  void resetWritesTheOperationDefaultsAtOnceAndCancelKeepsThem() {
    state_.image.Fill(320, 70, 0x5A);
    state_.image.SetByte(kMemoryDataByte, 0xFF);
    state_.image.SetByte(10, 0x77);  // a System byte
    state_.pending_scan_mode = kScanModeTest;
    AppState expected = state_;
    ApplyOperationDefaults(expected);
    Sheet();
    Press("1164");
    QCOMPARE(state_.image, expected.image);
    QCOMPARE(state_.pending_scan_mode, kScanModeSingleTag);
    QVERIFY(On<QRadioButton>("1064")->isChecked());
    QCOMPARE(DisplayRow(), QStringList({"PC", "EPC", "CRC", ""}));
    QVERIFY(!On("1071")->isEnabled());
    Cancel();
    QCOMPARE(state_.image, expected.image);
  }

  void dataCodesAreClearedAtLoadAndTheMoveButtonsSetTheOrder() {
    SetUhfFields(state_.image, {kUhfPc, kUhfData, kUhfEpc, kUhfNone, kUhfData});
    state_.image.SetBit(kUhfFieldWord, 15, true);
    Sheet();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 2u | 3u << 6);  // at once
    QCOMPARE(Items("1200"), QStringList({"PC", "EPC"}));
    QCOMPARE(Items("1199"), QStringList({"CRC", "Length"}));
    QCOMPARE(DisplayRow(), QStringList({"PC", "", "EPC", ""}));
    Cancel();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 2u | 3u << 6);

    Sheet();
    Press("1201");  // nothing selected: nothing moves
    QCOMPARE(Items("1199"), QStringList({"CRC", "Length"}));
    SelectField("1199", "Length");
    Press("1201");
    QCOMPARE(DisplayRow(), QStringList({"PC", "EPC", "Length", ""}));
    SelectField("1200", "Length");
    Press("1203");
    Press("1203");
    Press("1203");  // already on top
    QCOMPARE(Items("1200"), QStringList({"Length", "PC", "EPC"}));
    QCOMPARE(On<QListWidget>("1200")->currentItem()->text(), "Length");
    SelectField("1200", "EPC");
    Press("1204");  // already at the bottom
    SelectField("1200", "PC");
    Press("1202");
    QCOMPARE(DisplayRow(), QStringList({"Length", "EPC", "", ""}));
    QCOMPARE(Items("1199"), QStringList({"CRC", "PC"}));
    Ok();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 5u | 3u << 3);
  }

  void delimiterIsWrittenAtOnceWhateverTheSheetDoes() {
    state_.image.Fill(kDelimiterByte, kDelimiterCopies, 0x41);  // none of the four
    QStringList opened;
    const auto answer = [&](const char* click, int result) {
      SetDialogHandler([&opened, click, result](QDialog& d) {
        opened << d.windowTitle();
        for (const char* id : {"1207", "1208", "1209", "1210"}) {
          if (Control<QRadioButton>(d, id)->isChecked()) opened << id;
        }
        if (!Control<QWidget>(d, "1211")->isHidden()) opened << "1211 shown";
        Control<QRadioButton>(d, click)->click();
        if (result == QDialog::Rejected) d.reject();
        return result;
      });
    };
    Sheet();
    QCOMPARE(On<QPushButton>("1170")->text(), " ");
    answer("1208", QDialog::Accepted);
    Press("1170");
    QCOMPARE(opened, QStringList({"Delimiter", "1207"}));
    for (std::size_t i = 0; i < kDelimiterCopies; ++i) {
      QCOMPARE(state_.image.Byte(kDelimiterByte + i), 0x09);
    }
    QCOMPARE(On<QPushButton>("1170")->text(), "[Tab]");
    QCOMPARE(On<QLabel>("1249")->text(), "[Tab]");
    Cancel();
    QCOMPARE(state_.image.Byte(kDelimiterByte + 2), 0x09);

    Sheet();
    QCOMPARE(On<QLabel>("1248")->text(), "TAB");
    opened.clear();
    answer("1210", QDialog::Rejected);  // another choice, then Cancel
    Press("1170");
    QCOMPARE(opened, QStringList({"Delimiter", "1208"}));
    QCOMPARE(state_.image.Byte(kDelimiterByte + 1), 0x09);
    QCOMPARE(On<QPushButton>("1170")->text(), "[Tab]");

    // Cancelled over a foreign byte: "No Delimiter" is written.
    state_.image.Fill(kDelimiterByte, kDelimiterCopies, 0x7E);
    answer("1209", QDialog::Rejected);
    Press("1170");
    QCOMPARE(state_.image.Byte(kDelimiterByte), 0x00);
    QCOMPARE(state_.image.Byte(kDelimiterByte + 2), 0x00);
  }

  void keySequenceFieldsReachTheImageOnlyThroughThePicker() {
    Sheet();
    QCOMPARE(On<QLineEdit>("1091")->text(), "[Space]");
    auto* prefix = On<QLineEdit>("1088");
    prefix->setFocus();
    QTest::keyClicks(prefix, "abc");
    QCOMPARE(prefix->text(), "abc");
    SetDialogHandler([](QDialog& d) {
      auto& picker = dynamic_cast<KeyPickerDialog&>(d);
      auto* grid = Control<KeyGridView>(picker, "801");
      QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 6).center());  // "&"
      return static_cast<int>(QDialog::Accepted);
    });
    QTest::mouseClick(On<QLineEdit>("1093"), Qt::LeftButton);
    QCOMPARE(On<QLineEdit>("1093")->text(), "&");
    QVERIFY(!On("1090")->isVisibleTo(sheet_.get()));
    Ok();
    QCOMPARE(state_.image.Byte(325), 0);  // typed text is not stored
    QCOMPARE(state_.image.Byte(374), '&');
    QCOMPARE(state_.image.Byte(375), 0);
  }

  void delayListsFollowTheirBoxesAndAreStoredEvenWhenOff() {
    state_.image.SetByte(kMemoryDataByte, 5 << 1);              // off, 3000ms
    state_.image.SetByte(kTransmissionBufferByte, 1 | 7 << 1);  // on, 8000ms
    Sheet();
    QVERIFY(!On("1070")->isEnabled() && !On("1071")->isEnabled());
    QCOMPARE(Shown("1071"), "3000ms");
    QVERIFY(On("1079")->isEnabled());
    On<QCheckBox>("1080")->click();
    QVERIFY(!On("1074")->isEnabled() && !On("1079")->isEnabled());
    On<QCheckBox>("1208")->click();
    QVERIFY(On("1071")->isEnabled());
    QVERIFY(!On("1012")->isVisibleTo(sheet_.get()));
    Ok();
    QCOMPARE(state_.image.Byte(kMemoryDataByte), 1 | 5 << 1);
    QCOMPARE(state_.image.Byte(kTransmissionBufferByte), 7 << 1);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::OperationPageTest)
#include "operation_page_test.moc"
