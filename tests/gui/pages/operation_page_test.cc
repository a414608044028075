// The Operation page inside the real Device Settings sheet, driven by control
// id: what OK leaves in the image after a load, the rules that act before OK
// (Output Sequence refusals, data format and output controls, Reset, the
// immediate writes) and the fields, lists and dialogs of its right half.
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <random>

#include "pages/operation/key_picker_dialog.h"
#include "pages/operation/operation_page.h"
#include "settings/named/control_name.h"
#include "settings/operation/operation_page_ids.h"
#include "tests/gui/support/sheet_driver.h"
#include "tests/support/generated_images.h"

namespace k470::gui {

using testing::Control;
namespace ids = operation_page_ids;

class OperationPageTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::vector<int> advanced_opened_with_;               // the pending scan mode at each "Advanced"
  std::optional<SingleTagModeResult> advanced_result_;  // what the dialog hands back

  // The sheet over the state, showing the Operation tab; On looks on that page.
  void OperationSheet() {
    std::vector<PageEntry> pages = DefaultSettingsPages();
    for (PageEntry& entry : pages) {
      if (entry.id != PageId::kOperation) continue;
      entry.create = [this](AppState& state, SheetContext& context) {
        return std::make_unique<OperationPage>(state, context, [this](const AppState& s, QWidget*) {
          advanced_opened_with_.push_back(s.pending_scan_mode);
          return advanced_result_;
        });
      };
    }
    Sheet(2, {}, std::move(pages));
    scope_ = sheet_->CreatedPage(PageId::kOperation);
  }
  QStringList Items(const char* id) {
    QStringList items;
    auto* list = On<QListWidget>(id);
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
  QStringList DisplayRow() {
    QStringList row;
    for (const char* id : {kControlName<ids::kField1>, kControlName<ids::kField2>,
                           kControlName<ids::kField3>, kControlName<ids::kField4>}) {
      row << Text(id);
    }
    return row;
  }
  void SelectField(const char* list, const QString& name) {
    auto* box = On<QListWidget>(list);
    box->setCurrentItem(box->findItems(name, Qt::MatchExactly).value(0));
  }
  std::uint32_t Sections() const { return state_.image.Bits(kOutputSequenceWord, 0, 9); }

 private slots:
  void init() {
    Reset();
    // The factory's Packet Data switches the output controls off; most cases need them on.
    state_.image.SetField(kDataFormat, kDataFormatHexadecimal);
    advanced_opened_with_.clear();
    advanced_result_.reset();
  }
  void cleanup() { TearDown(); }

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
      Sheet(tabs[0]);
      for (int tab : tabs) sheet_->tabs()->setCurrentIndex(tab);
      Ok();
      QVERIFY2(state_.image == expected, qPrintable(QString::number(round)));
      QVERIFY(messages_.isEmpty());
    }
  }

  void scanModeIsStoredFromThePendingModeAndSingleTagWritesByte88AtOnce() {
    state_.image.SetField(kPendingScanMode, kScanModeMultiTag);
    state_.image.SetBits(kScanModeByte, 4, 4, 0xA);  // the Single TAG Mode dialog's bits
    state_.image.SetByte(kSingleTagModeByte, 0xF7);
    OperationSheet();
    QVERIFY(!On(kControlName<ids::kSingleTagAdvanced>)->isEnabled());
    advanced_result_ = SingleTagModeResult{{9, 0xA, 20, true}, std::nullopt};
    Press(kControlName<ids::kMultiTagAdvanced>);
    QCOMPARE(advanced_opened_with_, std::vector<int>{kScanModeMultiTag});
    QCOMPARE(state_.image.Byte(81), 9);  // what the dialog hands back, stored at once
    QCOMPARE(state_.image.Byte(82), 20);
    Press(kControlName<ids::kSingleTagMode>);
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xE8);  // before any OK
    QVERIFY(On(kControlName<ids::kSingleTagAdvanced>)->isEnabled());
    Press(kControlName<ids::kTestMode>);
    QVERIFY(!On(kControlName<ids::kSingleTagAdvanced>)->isEnabled() &&
            !On(kControlName<ids::kMultiTagAdvanced>)->isEnabled());
    Ok();
    QCOMPARE(state_.image.Byte(kScanModeByte), 0xA0 | kScanModeTest);
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xE8);

    // A mode no radio button stands for: none checked, kept.
    state_.image.SetField(kPendingScanMode, 3);
    OperationSheet();
    for (const char* id : {kControlName<ids::kSingleTagMode>, kControlName<ids::kMultiTagMode>,
                           kControlName<ids::kTestMode>}) {
      QVERIFY(!Checked(id));
    }
    Ok();
    QCOMPARE(state_.image.Field(kPendingScanMode), 3u);
  }

  void outputSequenceRefusesAllDisabledAndASectionTwice() {
    QStringList shown_at_message;
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      messages_ << r.text;
      shown_at_message << Text(kControlName<ids::kOutputSequence1>) + "," +
                              Text(kControlName<ids::kOutputSequence2>) + "," +
                              Text(kControlName<ids::kOutputSequence3>);
      return QMessageBox::Ok;
    });
    OperationSheet();
    Choose(kControlName<ids::kOutputSequence1>, "Disable");
    Choose(kControlName<ids::kOutputSequence2>, "Disable");
    QVERIFY(messages_.isEmpty());
    Choose(kControlName<ids::kOutputSequence3>, "Disable");
    QCOMPARE(messages_, QStringList{"All disable is inadmissible!"});
    QCOMPARE(Text(kControlName<ids::kOutputSequence3>), "EPC Tag");  // the section the image holds

    Choose(kControlName<ids::kOutputSequence2>, "EPC Tag");
    QCOMPARE(messages_.last(), "The same section can only be used once!");
    QCOMPARE(shown_at_message.last(), "Disable,Disable,EPC Tag");  // put back before the message
    Choose(kControlName<ids::kOutputSequence1>, "Timestamp");
    Ok();
    QCOMPARE(Sections(), 2u | 0u << 3 | 3u << 6);

    // A list whose section is stored as "Disable" goes back to what it showed,
    // never to all three "Disable".
    state_.image.SetBits(kOutputSequenceWord, 0, 9, 1u | 0u << 3 | 3u << 6);
    OperationSheet();
    Choose(kControlName<ids::kOutputSequence2>, "Timestamp");
    Choose(kControlName<ids::kOutputSequence1>, "Disable");
    Choose(kControlName<ids::kOutputSequence3>, "Disable");
    Choose(kControlName<ids::kOutputSequence2>, "Disable");
    QCOMPARE(messages_.last(), "All disable is inadmissible!");
    QCOMPARE(Text(kControlName<ids::kOutputSequence2>), "Timestamp");
    Ok();
    QCOMPARE(Sections(), 0u | 2u << 3 | 0u << 6);

    // Codes without an entry show nothing, count as sections, and are kept.
    state_.image.SetBits(kOutputSequenceWord, 0, 9, 5u << 6);
    OperationSheet();
    Choose(kControlName<ids::kOutputSequence3>, "Disable");
    QCOMPARE(messages_.size(), 4);
    QCOMPARE(On<QComboBox>(kControlName<ids::kOutputSequence3>)->currentIndex(), -1);
    Ok();
    QCOMPARE(Sections(), 5u << 6);
  }

  void dataFormatFollowsTheInterfaceAndSwitchesTheOutputControls() {
    const auto output_on = [&] {
      return Enabled({kControlName<ids::kOutputSequenceLabel>, kControlName<ids::kCounterPrefix>,
                      kControlName<ids::kDelimiter>, kControlName<ids::kAvailableFields>})
          .size();
    };
    state_.image.SetBits(kDataFormatByte, 0, 4, 0b0011);  // Packet Data, bits 0-1 not ours
    OperationSheet();
    QCOMPARE(output_on(), 0);
    Choose(kControlName<ids::kDataFormat>, "Hexadecimal");
    QCOMPARE(output_on(), 4);
    Choose(kControlName<ids::kDataFormat>, "Packet Data");
    QCOMPARE(output_on(), 0);

    // Bluetooth HID on the System page: no "Packet Data", and the stored 0 is its Hexadecimal.
    sheet_->tabs()->setCurrentIndex(0);
    On<QRadioButton>("1002", PageId::kSystem)->click();
    QCOMPARE(On<QComboBox>(kControlName<ids::kDataFormat>)->count(), 2);
    QCOMPARE(Text(kControlName<ids::kDataFormat>), "Hexadecimal");
    QCOMPARE(output_on(), 4);
    Ok();
    QCOMPARE(state_.image.Bits(kDataFormatByte, 0, 4), 0b0011u);

    // Raw Data keeps its code under both; a serial list without code 3 keeps it.
    state_.image.SetField(kDataFormat, kDataFormatRaw);
    OperationSheet();
    Choose(kControlName<ids::kDataFormat>, "Hexadecimal");
    Ok();
    QCOMPARE(state_.image.Field(kDataFormat), unsigned{kDataFormatKeyboardHexadecimal});
    state_.image.SetField(kDataFormat, 3);
    OperationSheet();
    sheet_->tabs()->setCurrentIndex(0);
    On<QRadioButton>("1001", PageId::kSystem)->click();
    QCOMPARE(output_on(), 4);
    Ok();
    QCOMPARE(state_.image.Field(kDataFormat), 3u);
  }

  void timestampListsEnableByFormatUnlessTheFirstDataFormatIsShown() {
    state_.image.SetField(kDataFormat, kDataFormatRaw);
    WriteTimestamp(ComposeTimestamp({4, 1, 1, 0}), state_.image);  // [Time], hh:mm
    OperationSheet();
    QCOMPARE(Enabled({kControlName<ids::kTimeFormat>, kControlName<ids::kTimeFormatLabel>,
                      kControlName<ids::kDateFormatLabel>, kControlName<ids::kDateFormat>,
                      kControlName<ids::kFieldSeparatorLabel>, kControlName<ids::kFieldSeparator>}),
             QStringList({kControlName<ids::kTimeFormat>, kControlName<ids::kTimeFormatLabel>}));
    Choose(kControlName<ids::kTimestampFormat>, "[Date]");
    QCOMPARE(Enabled({kControlName<ids::kDateFormat>, kControlName<ids::kTimeFormat>,
                      kControlName<ids::kFieldSeparator>}),
             QStringList{kControlName<ids::kDateFormat>});
    Choose(kControlName<ids::kDateFormat>, "dd.MM.yyyy");
    Ok();
    QCOMPARE(ReadTimestamp(state_.image), ComposeTimestamp({0, 7, 0, 0}));
    QCOMPARE(state_.image.Bits(kTimestampWord, 21, 2), 2u);

    // Hexadecimal under a keyboard interface is the first entry: the rule waits.
    state_.image.SetBits(16, 3, 3, 5);  // Bluetooth HID
    state_.image.SetField(kDataFormat, 0);
    OperationSheet();
    QCOMPARE(Enabled({kControlName<ids::kTimeFormat>, kControlName<ids::kFieldSeparator>}).size(),
             2);
  }

  void resetWritesTheOperationDefaultsAtOnceAndCancelKeepsThem() {
    state_.image.Fill(320, 70, 0x5A);
    state_.image.SetByte(kMemoryDataByte, 0xFF);
    state_.image.SetByte(10, 0x77);  // a System byte
    state_.pending_scan_mode = kScanModeTest;
    AppState expected = state_;
    ApplyOperationDefaults(expected);
    OperationSheet();
    Press(kControlName<ids::kReset>);
    QCOMPARE(state_.image, expected.image);
    QCOMPARE(state_.pending_scan_mode, kScanModeSingleTag);
    QCOMPARE(DisplayRow(), QStringList({"PC", "EPC", "CRC", ""}));
    Cancel();
    QCOMPARE(state_.image, expected.image);
  }

  void dataCodesAreClearedAtLoadAndTheMoveButtonsSetTheOrder() {
    unsigned j = 0;
    for (unsigned code : {kUhfPc, kUhfData, kUhfEpc, kUhfNone, kUhfData}) {
      state_.image.SetBits(kUhfFieldWord, 3 * j++, 3, code);
    }
    state_.image.SetBit(kUhfFieldWord, 15, true);
    OperationSheet();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 2u | 3u << 6);  // at once
    QCOMPARE(DisplayRow(), QStringList({"PC", "", "EPC", ""}));
    Cancel();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 2u | 3u << 6);

    OperationSheet();
    SelectField(kControlName<ids::kAvailableFields>, "Length");
    Press(kControlName<ids::kMoveToSelected>);
    SelectField(kControlName<ids::kSelectedFields>, "Length");
    Press(kControlName<ids::kMoveUp>);
    Press(kControlName<ids::kMoveUp>);
    Press(kControlName<ids::kMoveUp>);  // already on top
    SelectField(kControlName<ids::kSelectedFields>, "PC");
    Press(kControlName<ids::kMoveToAvailable>);
    QCOMPARE(DisplayRow(), QStringList({"Length", "EPC", "", ""}));
    QCOMPARE(Items(kControlName<ids::kAvailableFields>), QStringList({"CRC", "PC"}));
    Ok();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 5u | 3u << 3);
  }

  void delimiterIsWrittenAtOnceWhateverTheSheetDoes() {
    state_.image.Fill(kDelimiterByte, kDelimiterCopies, 0x41);  // none of the four
    const auto answer = [&](const char* click, int result) {
      SetDialogHandler([click, result](QDialog& d) {
        Control<QRadioButton>(d, click)->click();
        if (result == QDialog::Rejected) d.reject();
        return result;
      });
    };
    OperationSheet();
    answer(kControlName<ids::kDelimiterTab>, QDialog::Accepted);
    Press(kControlName<ids::kDelimiter>);
    for (std::size_t i = 0; i < kDelimiterCopies; ++i) {
      QCOMPARE(state_.image.Byte(kDelimiterByte + i), 0x09);
    }
    Cancel();
    QCOMPARE(state_.image.Byte(kDelimiterByte + 2), 0x09);

    OperationSheet();
    answer(kControlName<ids::kDelimiterPeriod>, QDialog::Rejected);  // another choice, then Cancel
    Press(kControlName<ids::kDelimiter>);
    QCOMPARE(state_.image.Byte(kDelimiterByte + 1), 0x09);

    // Cancelled over a foreign byte: "No Delimiter" is written.
    state_.image.Fill(kDelimiterByte, kDelimiterCopies, 0x7E);
    answer(kControlName<ids::kDelimiterComma>, QDialog::Rejected);
    Press(kControlName<ids::kDelimiter>);
    QCOMPARE(state_.image.Byte(kDelimiterByte), 0x00);
    QCOMPARE(state_.image.Byte(kDelimiterByte + 2), 0x00);
  }

  void keySequenceFieldsReachTheImageOnlyThroughThePicker() {
    OperationSheet();
    auto* prefix = On<QLineEdit>(kControlName<ids::kCounterPrefix>);
    prefix->setFocus();
    QTest::keyClicks(prefix, "abc");
    SetDialogHandler([](QDialog& d) {
      auto* grid = Control<KeyGridView>(d, kControlName<ids::kPickerGrid>);
      QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 6).center());  // "&"
      return static_cast<int>(QDialog::Accepted);
    });
    QTest::mouseClick(On<QLineEdit>(kControlName<ids::kEpcPrefix>), Qt::LeftButton);
    QCOMPARE(Text(kControlName<ids::kEpcPrefix>), "&");
    Ok();
    QCOMPARE(state_.image.Byte(325), 0);  // typed text is not stored
    QCOMPARE(state_.image.Byte(374), '&');
    QCOMPARE(state_.image.Byte(375), 0);
  }

  void delayListsFollowTheirBoxesAndAreStoredEvenWhenOff() {
    state_.image.SetByte(kMemoryDataByte, 5 << 1);              // off, 3000ms
    state_.image.SetByte(kTransmissionBufferByte, 1 | 7 << 1);  // on, 8000ms
    OperationSheet();
    QCOMPARE(Enabled({kControlName<ids::kMemoryDelayLabel>, kControlName<ids::kMemoryDelay>,
                      kControlName<ids::kTransmitDelay>}),
             QStringList{kControlName<ids::kTransmitDelay>});
    Press(kControlName<ids::kTransmissionBuffer>);
    Press(kControlName<ids::kMemoryMode>);
    QCOMPARE(Enabled({kControlName<ids::kMemoryDelay>, kControlName<ids::kTransmitDelayLabel>,
                      kControlName<ids::kTransmitDelay>}),
             QStringList{kControlName<ids::kMemoryDelay>});
    Ok();
    QCOMPARE(state_.image.Byte(kMemoryDataByte), 1 | 5 << 1);
    QCOMPARE(state_.image.Byte(kTransmissionBufferByte), 7 << 1);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::OperationPageTest)
#include "operation_page_test.moc"
