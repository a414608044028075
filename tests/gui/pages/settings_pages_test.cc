// The System page with its interface dialogs, the Operation page and the Date
// & Time page inside the real Device Settings sheet, driven by control id:
// what they show for an image, what OK leaves in the image, and the rules
// that act before OK (corrections, refusals, the controls each switch, Reset,
// the immediate writes); and the key picker on a key-sequence field of its
// own: what it offers for each interface, the byte limits and their message,
// and what OK and Cancel leave in the field's key buffer and text.
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <random>

#include "pages/operation/key_picker_dialog.h"
#include "pages/operation/key_sequence_field.h"
#include "settings/date_time/date_time_page_ids.h"
#include "settings/operation/operation_page_ids.h"
#include "settings/system/keyboard_interface_dialog_ids.h"
#include "settings/system/serial_interface_dialog_ids.h"
#include "settings/system/system_page_ids.h"
#include "settings/tagfilter/single_tag_mode_ids.h"
#include "tests/gui/support/sheet_driver.h"
#include "tests/support/generated_images.h"

namespace k470::gui {

using testing::Names;
namespace ids = operation_page_ids;
namespace sys = system_page_ids;
namespace keyboard = keyboard_interface_dialog_ids;
namespace serial = serial_interface_dialog_ids;
namespace date_time = date_time_page_ids;

class SettingsPagesTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::unique_ptr<QWidget> page_;  // holds a key-sequence field alone
  QLineEdit* edit_ = nullptr;
  KeySequenceField* field_ = nullptr;
  const QStringList kTooMany{"Error: Too many characters !!!"};
  std::vector<ClockTime> clock_sets_;

  // The sheet over the state, its clock at 29 February 2024, 23:59:58.
  void SystemSheet(int tab = 0) {
    SheetServices services;
    services.local_time = [] { return ClockTime{2024, 2, 29, 23, 59, 58}; };
    services.set_reader_clock = [this](const ClockTime& t, QWidget*) { clock_sets_.push_back(t); };
    Sheet(tab, std::move(services));
  }
  // Opens an interface dialog with `button`; `user` works it, then OK closes it.
  void InterfaceDialog(int button, std::function<void()> user) {
    InDialogs(std::move(user));
    Press(button);
  }

  // The sheet over the state, showing the Operation tab; On looks on that page.
  void OperationSheet() {
    Sheet(2);
    scope_ = sheet_->CreatedPage(PageId::kOperation);
  }
  QStringList Items(int id) {
    QStringList items;
    auto* list = On<QListWidget>(id);
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
  QStringList DisplayRow() {
    QStringList row;
    for (const int id : {ids::kField1, ids::kField2, ids::kField3, ids::kField4}) row << Text(id);
    return row;
  }
  void SelectField(int list, const QString& name) {
    auto* box = On<QListWidget>(list);
    box->setCurrentItem(box->findItems(name, Qt::MatchExactly).value(0));
  }
  std::uint32_t Sections() const { return state_.image.Bits(kOutputSequenceWord, 0, 9); }

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
  void init() {
    Reset();
    // The factory's Packet Data switches the output controls off; most cases need them on.
    state_.image.SetField(kDataFormat, kDataFormatHexadecimal);
    clock_sets_.clear();
  }
  void cleanup() {
    TearDown();
    page_.reset();
  }

  void storedValuesOutsideTheirRangesShowCorrectedAndCodesWithoutEntriesStay() {
    state_.image.SetField(kLedDuration, 0);
    state_.image.SetField(kVibratorDuration, 255);
    state_.image.SetField(EventActionField(2), 12);  // string 3: no such action
    state_.image.SetField(kRfidPower, 7);            // no such power level
    SettingsImage expected = state_.image;
    expected.SetField(kLedDuration, 1);
    expected.SetField(kVibratorDuration, 254);
    SystemSheet();  // OK stores what the edits and lists show
    Ok();
    QCOMPARE(state_.image, expected);
  }

  void editsCorrectWhatIsTypedAndResetWritesTheDefaultsAtOnce() {
    state_.image.SetText(EventStringArea(0), "ABCDEFGHIJ");
    SystemSheet();
    TypeShows(sys::kShutdownTimeout, "300", "254");
    TypeShows(sys::kPowerSavingTimeout, "", "0");
    Press(sys::kString1Cr);
    QCOMPARE(Text(sys::kString1Text), "ABCDEFGHI");
    Ok();
    QCOMPARE(state_.image.Text(EventStringArea(0)), std::string("ABCDEFGHI\r"));
    QCOMPARE(state_.image.Field(kPowerSavingTimeout), 0u);

    // Reset writes the page's defaults at once, and Cancel keeps them.
    SystemSheet();
    Press(sys::kReset);
    Cancel();
    QCOMPARE(state_.image.Text(EventStringArea(0)), std::string("#@TRIGON\r"));
    QCOMPARE(state_.image.Field(kShutdownTimeout), 10u);
  }

  void indicatorControlsFollowTheirBoxes() {
    state_.image.SetField(kVolume, 0);  // beeper off
    state_.image.SetField(kGoodReadBeep, 0);
    state_.image.SetField(kGoodReadLed, 0);
    state_.beeper_on = true;
    SystemSheet();
    QVERIFY(!state_.beeper_on);
    QCOMPARE(Enabled({sys::kVolumeLabel, sys::kVolume, sys::kFrequency, sys::kLedDurationLabel}),
             QStringList());
    Press(sys::kSystemBeeper);
    QVERIFY(state_.beeper_on);
    QCOMPARE(Enabled({sys::kVolumeLabel, sys::kVolume, sys::kGoodReadBeep, sys::kFrequency}),
             Names({sys::kVolumeLabel, sys::kVolume, sys::kGoodReadBeep}));
    Press(sys::kGoodReadBeep);
    Press(sys::kGoodReadLed);
    QCOMPARE(Enabled({sys::kFrequency, sys::kLedDurationLabel}).size(), 2);
    Ok();
    QCOMPARE(state_.image.Field(kVolume), 3u);  // on, at the "High" it showed
  }

  void interfaceRadiosMarkByte18AtOnceAndOkWritesTheCode() {
    const auto advanced = [this] {
      return Enabled({sys::kBluetoothSppAdvanced, sys::kBluetoothHidAdvanced,
                      sys::kM912VcomAdvanced, sys::kM912HidAdvanced});
    };
    state_.image.SetField(kInterfaceCode, 6);
    state_.image.SetField(kM912KeyboardType, 0x60);
    SystemSheet();
    QCOMPARE(advanced(), Names({sys::kM912VcomAdvanced}));
    Press(sys::kM912HidRadio);
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x61u);  // before any OK
    Press(sys::kM912VcomRadio);
    Ok();
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x60u);
    QCOMPARE(state_.image.Field(kInterfaceCode), 6u);

    // A code no radio stands for shows no radio and no "Advanced"; the lists
    // follow the interface chosen before, and OK keeps the code until a click.
    state_.image.SetField(kInterfaceCode, 3);
    state_.image.SetField(kM912KeyboardType, 0x41);
    state_.selected_interface = SelectedInterface::kBluetoothHid;
    SystemSheet();
    QCOMPARE(Checked(sys::kBluetoothSppRadio) || Checked(sys::kBluetoothHidRadio) ||
                 Checked(sys::kM912VcomRadio) || Checked(sys::kM912HidRadio),
             false);
    QCOMPARE(advanced(), QStringList());
    QCOMPARE(state_.selected_interface, SelectedInterface::kBluetoothHid);
    Ok();
    QCOMPARE(state_.image.Field(kInterfaceCode), 3u);
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x41u);
    SystemSheet();
    Press(sys::kBluetoothSppRadio);
    QCOMPARE(advanced(), Names({sys::kBluetoothSppAdvanced}));
    Ok();
    QCOMPARE(state_.image.Field(kInterfaceCode), 0u);
  }

  void interfaceDialogsKeepWhatTheyDoNotShow() {
    // M912 HID over a foreign byte 18: the first type at once, even on Cancel.
    state_.image.SetField(kInterfaceCode, 6);
    state_.image.SetField(kM912KeyboardType, 0x41);
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    SystemSheet();
    Press(sys::kM912HidAdvanced);
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x61u);

    // Bluetooth HID: a keyboard byte outside the list, a delay of 255 and a
    // 16-character PIN from a file are shown as they can be and stored again.
    state_.image.SetField(kInterfaceCode, 5);
    state_.image.SetField(kHidKeyboardType, 0x3A);
    state_.image.SetField(kInterCharacterDelay, 255);
    state_.image.SetText(kPinCode, "ABCDEFGHIJKLMNOP");
    state_.image.SetField(kKanji, 0);  // never shown
    SystemSheet();
    InterfaceDialog(sys::kBluetoothHidAdvanced, [] {});
    QCOMPARE(state_.image.Field(kHidKeyboardType), 0x3Au);
    QCOMPARE(state_.image.Field(kInterCharacterDelay), 254u);
    QCOMPARE(state_.image.Text(kPinCode), std::string("ABCDEFGHIJKLMNOP"));
    QCOMPARE(state_.image.Field(kKanji), 0u);

    // Replacing a character of a 16-character PIN keeps all 16.
    InterfaceDialog(sys::kBluetoothHidAdvanced, [&] {
      auto* edit = On<QLineEdit>(keyboard::kPinOrSerialNumber);
      edit->setSelection(5, 1);
      QTest::keyClicks(edit, "x");
    });
    QCOMPARE(state_.image.Text(kPinCode), std::string("ABCDExGHIJKLMNOP"));

    // Typing stops at 15 characters.
    InterfaceDialog(sys::kBluetoothHidAdvanced,
                    [&] { Type(keyboard::kPinOrSerialNumber, "1234567890123456"); });
    QCOMPARE(state_.image.Text(kPinCode), std::string("123456789012345"));

    // M912 VCOM: authentication and discoverable as loaded, byte 18 marked.
    state_.image.SetField(kInterfaceCode, 6);
    state_.image.SetField(kM912KeyboardType, 0x60);
    state_.image.SetField(kAuthentication, 1);
    state_.image.SetField(kDiscoverable, 0);
    SystemSheet();
    InterfaceDialog(sys::kM912VcomAdvanced, [&] { Type(serial::kPinOrSerialNumber, "SN1234567"); });
    QCOMPARE(state_.image.Field(kAuthentication), 1u);
    QCOMPARE(state_.image.Field(kDiscoverable), 0u);
    QCOMPARE(state_.image.Text(kM912SerialNumber), std::string("SN1234567"));
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x60u);
  }

  void dateAndTimeFollowTheCalendarAndUpdateSetsTheClock() {
    state_.clock_mode = ClockMode::kSyncWithHost;
    SystemSheet(3);
    QCOMPARE(Text(date_time::kDay), "29");
    QVERIFY(!On(date_time::kUpdate)->isEnabled());
    Press(date_time::kSetTimeAndDate);
    QCOMPARE(state_.clock_mode, ClockMode::kSetTimeAndDate);
    Type(date_time::kYear, "2023");  // the day follows to 28
    Type(date_time::kYear, "19");    // and stays when Update makes the year 2000
    Press(date_time::kUpdate);
    QCOMPARE(clock_sets_, (std::vector<ClockTime>{{2000, 2, 28, 23, 59, 58}}));

    // Cancel on this page skips the clock on the next download; on another it does not.
    Cancel();
    QCOMPARE(state_.clock_mode, ClockMode::kSkip);
    state_.clock_mode = ClockMode::kSyncWithHost;
    SystemSheet(3);
    sheet_->tabs()->setCurrentIndex(0);
    Cancel();
    QCOMPARE(state_.clock_mode, ClockMode::kSyncWithHost);
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
      Sheet(tabs[0]);
      for (int tab : tabs) sheet_->tabs()->setCurrentIndex(tab);
      Ok();
      QVERIFY2(state_.image == expected, qPrintable(QString::number(round)));
      QVERIFY(messages_.isEmpty());
    }
  }

  // "Advanced" opens the Single TAG Mode dialog in the pending mode.
  void scanModeIsStoredFromThePendingModeAndSingleTagWritesByte88AtOnce() {
    state_.image.SetField(kPendingScanMode, kScanModeMultiTag);
    state_.image.SetBits(kScanModeByte, 4, 4, 0xA);  // the Single TAG Mode dialog's bits
    state_.image.SetByte(kSingleTagModeByte, 0xF7);
    OperationSheet();
    QVERIFY(!On(ids::kSingleTagAdvanced)->isEnabled());
    InDialogs([this] {
      QCOMPARE(scope_->windowTitle(), "Multi-TAG Mode");
      Type(single_tag_mode_ids::kCounterLimit, "20");
    });
    Press(ids::kMultiTagAdvanced);
    QCOMPARE(state_.image.Byte(82), 20);  // what the dialog hands back, stored at once
    Press(ids::kSingleTagMode);
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xE8);  // before any OK
    QVERIFY(On(ids::kSingleTagAdvanced)->isEnabled());
    Press(ids::kTestMode);
    QVERIFY(!On(ids::kSingleTagAdvanced)->isEnabled() && !On(ids::kMultiTagAdvanced)->isEnabled());
    Ok();
    QCOMPARE(state_.image.Byte(kScanModeByte), 0xA0 | kScanModeTest);
    QCOMPARE(state_.image.Byte(kSingleTagModeByte), 0xE8);

    // A mode no radio button stands for (shown as none: the named-settings
    // test) is kept.
    state_.image.SetField(kPendingScanMode, 3);
    OperationSheet();
    Ok();
    QCOMPARE(state_.image.Field(kPendingScanMode), 3u);
  }

  void outputSequenceRefusesAllDisabledAndASectionTwice() {
    QStringList shown_at_message;
    SetMessageBoxHandler([&](const MessageBoxRequest& r) {
      messages_ << r.text;
      shown_at_message << Text(ids::kOutputSequence1) + "," + Text(ids::kOutputSequence2) + "," +
                              Text(ids::kOutputSequence3);
      return QMessageBox::Ok;
    });
    OperationSheet();
    Choose(ids::kOutputSequence1, "Disable");
    Choose(ids::kOutputSequence2, "Disable");
    QVERIFY(messages_.isEmpty());
    Choose(ids::kOutputSequence3, "Disable");
    QCOMPARE(messages_, QStringList{"All disable is inadmissible!"});
    QCOMPARE(Text(ids::kOutputSequence3), "EPC Tag");  // the section the image holds

    Choose(ids::kOutputSequence2, "EPC Tag");
    QCOMPARE(messages_.last(), "The same section can only be used once!");
    QCOMPARE(shown_at_message.last(), "Disable,Disable,EPC Tag");  // put back before the message
    Choose(ids::kOutputSequence1, "Timestamp");
    Ok();
    QCOMPARE(Sections(), 2u | 0u << 3 | 3u << 6);

    // A list whose section is stored as "Disable" goes back to what it showed,
    // never to all three "Disable".
    state_.image.SetBits(kOutputSequenceWord, 0, 9, 1u | 0u << 3 | 3u << 6);
    OperationSheet();
    Choose(ids::kOutputSequence2, "Timestamp");
    Choose(ids::kOutputSequence1, "Disable");
    Choose(ids::kOutputSequence3, "Disable");
    Choose(ids::kOutputSequence2, "Disable");
    QCOMPARE(messages_.last(), "All disable is inadmissible!");
    QCOMPARE(Text(ids::kOutputSequence2), "Timestamp");
    Ok();
    QCOMPARE(Sections(), 0u | 2u << 3 | 0u << 6);

    // Codes without an entry show nothing, count as sections, and are kept.
    state_.image.SetBits(kOutputSequenceWord, 0, 9, 5u << 6);
    OperationSheet();
    Choose(ids::kOutputSequence3, "Disable");
    QCOMPARE(messages_.size(), 4);
    Ok();
    QCOMPARE(Sections(), 5u << 6);
  }

  void dataFormatFollowsTheInterfaceAndSwitchesTheOutputControls() {
    const auto output_on = [&] {
      return Enabled({ids::kOutputSequenceLabel, ids::kCounterPrefix, ids::kDelimiter,
                      ids::kAvailableFields})
          .size();
    };
    state_.image.SetBits(kDataFormatByte, 0, 4, 0b0011);  // Packet Data, bits 0-1 not ours
    OperationSheet();
    QCOMPARE(output_on(), 0);
    Choose(ids::kDataFormat, "Hexadecimal");
    QCOMPARE(output_on(), 4);
    Choose(ids::kDataFormat, "Packet Data");
    QCOMPARE(output_on(), 0);

    // Bluetooth HID on the System page: no "Packet Data", and the stored 0 is its Hexadecimal.
    sheet_->tabs()->setCurrentIndex(0);
    On<QRadioButton>("1002", PageId::kSystem)->click();
    QCOMPARE(Text(ids::kDataFormat), "Hexadecimal");
    QCOMPARE(output_on(), 4);
    Ok();
    QCOMPARE(state_.image.Bits(kDataFormatByte, 0, 4), 0b0011u);

    // Raw Data keeps its code under both; a serial list without code 3 keeps it.
    state_.image.SetField(kDataFormat, kDataFormatRaw);
    OperationSheet();
    Choose(ids::kDataFormat, "Hexadecimal");
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
    QCOMPARE(Enabled({ids::kTimeFormat, ids::kTimeFormatLabel, ids::kDateFormatLabel,
                      ids::kDateFormat, ids::kFieldSeparatorLabel, ids::kFieldSeparator}),
             Names({ids::kTimeFormat, ids::kTimeFormatLabel}));
    Choose(ids::kTimestampFormat, "[Date]");
    QCOMPARE(Enabled({ids::kDateFormat, ids::kTimeFormat, ids::kFieldSeparator}),
             Names({ids::kDateFormat}));
    Choose(ids::kDateFormat, "dd.MM.yyyy");
    Ok();
    QCOMPARE(ReadTimestamp(state_.image), ComposeTimestamp({0, 7, 0, 0}));

    // Hexadecimal under a keyboard interface is the first entry: the rule waits.
    state_.image.SetBits(16, 3, 3, 5);  // Bluetooth HID
    state_.image.SetField(kDataFormat, 0);
    OperationSheet();
    QCOMPARE(Enabled({ids::kTimeFormat, ids::kFieldSeparator}).size(), 2);
  }

  void resetWritesTheOperationDefaultsAtOnceAndCancelKeepsThem() {
    state_.image.Fill(320, 70, 0x5A);
    state_.image.SetByte(kMemoryDataByte, 0xFF);
    state_.image.SetByte(10, 0x77);  // a System byte
    state_.pending_scan_mode = kScanModeTest;
    AppState expected = state_;
    ApplyOperationDefaults(expected);
    OperationSheet();
    Press(ids::kReset);
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
    Cancel();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 2u | 3u << 6);

    OperationSheet();
    SelectField(ids::kAvailableFields, "Length");
    Press(ids::kMoveToSelected);
    SelectField(ids::kSelectedFields, "Length");
    Press(ids::kMoveUp);
    Press(ids::kMoveUp);
    Press(ids::kMoveUp);  // already on top
    SelectField(ids::kSelectedFields, "PC");
    Press(ids::kMoveToAvailable);
    QCOMPARE(DisplayRow(), QStringList({"Length", "EPC", "", ""}));
    QCOMPARE(Items(ids::kAvailableFields), QStringList({"CRC", "PC"}));
    Ok();
    QCOMPARE(state_.image.Bits(kUhfFieldWord, 0, 16), 0x8000u | 5u | 3u << 3);
  }

  // Every copy of the byte is the codec's test; here when it is written.
  void delimiterIsWrittenAtOnceWhateverTheSheetDoes() {
    state_.image.Fill(kDelimiterByte, kDelimiterCopies, 0x41);  // none of the four
    OperationSheet();
    InDialogs([this] { Press(ids::kDelimiterTab); });
    Press(ids::kDelimiter);
    QCOMPARE(state_.image.Byte(kDelimiterByte), 0x09);
    Cancel();
    QCOMPARE(state_.image.Byte(kDelimiterByte + 2), 0x09);

    OperationSheet();
    InDialogs([this] { Press(ids::kDelimiterPeriod); }, false);  // another choice, then Cancel
    Press(ids::kDelimiter);
    QCOMPARE(state_.image.Byte(kDelimiterByte + 1), 0x09);
  }

  void keySequenceFieldsReachTheImageOnlyThroughThePicker() {
    OperationSheet();
    auto* prefix = On<QLineEdit>(ids::kCounterPrefix);
    prefix->setFocus();
    QTest::keyClicks(prefix, "abc");
    InDialogs([this] {
      auto* grid = On<KeyGridView>(ids::kPickerGrid);
      QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 6).center());  // "&"
    });
    QTest::mouseClick(On<QLineEdit>(ids::kEpcPrefix), Qt::LeftButton);
    QCOMPARE(Text(ids::kEpcPrefix), "&");
    Ok();
    QCOMPARE(state_.image.Byte(325), 0);    // typed text is not stored
    QCOMPARE(state_.image.Byte(374), '&');  // the buffer's other bytes: the codec's test
  }

  void delayListsFollowTheirBoxesAndAreStoredEvenWhenOff() {
    state_.image.SetByte(kMemoryDataByte, 5 << 1);              // off, 3000ms
    state_.image.SetByte(kTransmissionBufferByte, 1 | 7 << 1);  // on, 8000ms
    OperationSheet();
    QCOMPARE(Text(ids::kMemoryDelay) + " " + Text(ids::kTransmitDelay), "3000ms 8000ms");
    QCOMPARE(Enabled({ids::kMemoryDelayLabel, ids::kMemoryDelay, ids::kTransmitDelay}),
             Names({ids::kTransmitDelay}));
    Press(ids::kTransmissionBuffer);
    Press(ids::kMemoryMode);
    QCOMPARE(Enabled({ids::kMemoryDelay, ids::kTransmitDelayLabel, ids::kTransmitDelay}),
             Names({ids::kMemoryDelay}));
    Ok();
    QCOMPARE(state_.image.Byte(kMemoryDataByte), 1 | 5 << 1);
    QCOMPARE(state_.image.Byte(kTransmissionBufferByte), 7 << 1);
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

  // Typed text is never stored (the page's key-sequence test); Cancel shows the keys again.
  void cancelRestoresTheFieldOverWhatWasTyped() {
    Field(SelectedInterface::kBluetoothHid, {0xC1, 0x09});
    edit_->setFocus();
    edit_->selectAll();
    QTest::keyClicks(edit_, "xyz");
    Pick([&] { Click('a'); }, false);
    QCOMPARE(edit_->text(), "[Shift][HT]");
    QCOMPARE(field_->buffer(), (KeyBuffer{0xC1, 0x09}));
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

QTEST_MAIN(k470::gui::SettingsPagesTest)
#include "settings_pages_test.moc"
