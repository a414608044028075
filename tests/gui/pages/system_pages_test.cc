// The System page, its interface dialogs and the Date & Time page, driven by
// control id inside the real Device Settings sheet: what they show for an
// image, what OK stores, and the rules that act before OK.
#include <QCheckBox>
#include <QRadioButton>

#include "settings/date_time/date_time_page_ids.h"
#include "settings/system/keyboard_interface_dialog_ids.h"
#include "settings/system/serial_interface_dialog_ids.h"
#include "settings/system/system_page_ids.h"
#include "tests/gui/support/sheet_driver.h"

namespace k470::gui {

using testing::Names;
namespace ids = system_page_ids;
namespace keyboard = keyboard_interface_dialog_ids;
namespace serial = serial_interface_dialog_ids;
namespace date_time = date_time_page_ids;

class SystemPagesTest : public QObject, testing::SheetDriver {
  Q_OBJECT

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

 private slots:
  void init() {
    Reset();
    clock_sets_.clear();
  }
  void cleanup() { TearDown(); }

  void storedValuesOutsideTheirRangesShowCorrectedAndCodesWithoutEntriesStay() {
    state_.image.SetField(kLedDuration, 0);
    state_.image.SetField(kVibratorDuration, 255);
    state_.image.SetField(EventActionField(2), 12);  // string 3: no such action
    state_.image.SetField(kRfidPower, 7);            // no such power level
    state_.image.SetText(EventStringArea(1), "\r");  // CR alone
    SettingsImage expected = state_.image;
    expected.SetField(kLedDuration, 1);
    expected.SetField(kVibratorDuration, 254);
    SystemSheet();
    QCOMPARE(Text(ids::kLedDuration), "1");
    QCOMPARE(Text(ids::kVibratorDuration), "254");
    QCOMPARE(On<QComboBox>(ids::kString3Action)->currentIndex(), -1);
    QCOMPARE(Text(ids::kString2Text), "");
    QVERIFY(Checked(ids::kString2Cr));
    Ok();
    QCOMPARE(state_.image, expected);
  }

  void editsCorrectWhatIsTypedAndResetWritesTheDefaultsAtOnce() {
    state_.image.SetText(EventStringArea(0), "ABCDEFGHIJ");
    SystemSheet();
    Type(ids::kShutdownTimeout, "300");
    QCOMPARE(Text(ids::kShutdownTimeout), "254");
    Type(ids::kPowerSavingTimeout, "");
    QCOMPARE(Text(ids::kPowerSavingTimeout), "0");
    Press(ids::kString1Cr);
    QCOMPARE(Text(ids::kString1Text), "ABCDEFGHI");
    Ok();
    QCOMPARE(state_.image.Text(EventStringArea(0)), std::string("ABCDEFGHI\r"));
    QCOMPARE(state_.image.Field(kPowerSavingTimeout), 0u);

    // Reset writes the page's defaults at once, and Cancel keeps them.
    SystemSheet();
    Press(ids::kReset);
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
    QCOMPARE(Enabled({ids::kVolumeLabel, ids::kVolume, ids::kFrequency, ids::kLedDurationLabel}),
             QStringList());
    Press(ids::kSystemBeeper);
    QVERIFY(state_.beeper_on);
    QCOMPARE(Enabled({ids::kVolumeLabel, ids::kVolume, ids::kGoodReadBeep, ids::kFrequency}),
             Names({ids::kVolumeLabel, ids::kVolume, ids::kGoodReadBeep}));
    Press(ids::kGoodReadBeep);
    Press(ids::kGoodReadLed);
    QCOMPARE(Enabled({ids::kFrequency, ids::kLedDurationLabel}).size(), 2);
    Ok();
    QCOMPARE(state_.image.Field(kVolume), 3u);  // on, at the "High" it showed
  }

  void interfaceRadiosMarkByte18AtOnceAndOkWritesTheCode() {
    const auto advanced = [this] {
      return Enabled({ids::kBluetoothSppAdvanced, ids::kBluetoothHidAdvanced,
                      ids::kM912VcomAdvanced, ids::kM912HidAdvanced});
    };
    state_.image.SetField(kInterfaceCode, 6);
    state_.image.SetField(kM912KeyboardType, 0x60);
    SystemSheet();
    QCOMPARE(advanced(), Names({ids::kM912VcomAdvanced}));
    Press(ids::kM912HidRadio);
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x61u);  // before any OK
    Press(ids::kM912VcomRadio);
    Ok();
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x60u);
    QCOMPARE(state_.image.Field(kInterfaceCode), 6u);

    // A code no radio stands for shows no radio and no "Advanced"; the lists
    // follow the interface chosen before, and OK keeps the code until a click.
    state_.image.SetField(kInterfaceCode, 3);
    state_.image.SetField(kM912KeyboardType, 0x41);
    state_.selected_interface = SelectedInterface::kBluetoothHid;
    SystemSheet();
    QCOMPARE(Checked(ids::kBluetoothSppRadio) || Checked(ids::kBluetoothHidRadio) ||
                 Checked(ids::kM912VcomRadio) || Checked(ids::kM912HidRadio),
             false);
    QCOMPARE(advanced(), QStringList());
    QCOMPARE(state_.selected_interface, SelectedInterface::kBluetoothHid);
    Ok();
    QCOMPARE(state_.image.Field(kInterfaceCode), 3u);
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x41u);
    SystemSheet();
    Press(ids::kBluetoothSppRadio);
    QCOMPARE(advanced(), Names({ids::kBluetoothSppAdvanced}));
    Ok();
    QCOMPARE(state_.image.Field(kInterfaceCode), 0u);
  }

  void interfaceDialogsKeepWhatTheyDoNotShow() {
    // M912 HID over a foreign byte 18: the first type at once, even on Cancel.
    state_.image.SetField(kInterfaceCode, 6);
    state_.image.SetField(kM912KeyboardType, 0x41);
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    SystemSheet();
    Press(ids::kM912HidAdvanced);
    QCOMPARE(state_.image.Field(kM912KeyboardType), 0x61u);

    // Bluetooth HID: a keyboard byte outside the list, a delay of 255 and a
    // 16-character PIN from a file are shown as they can be and stored again.
    state_.image.SetField(kInterfaceCode, 5);
    state_.image.SetField(kHidKeyboardType, 0x3A);
    state_.image.SetField(kInterCharacterDelay, 255);
    state_.image.SetText(kPinCode, "ABCDEFGHIJKLMNOP");
    state_.image.SetField(kKanji, 0);  // never shown
    SystemSheet();
    InterfaceDialog(ids::kBluetoothHidAdvanced,
                    [&] { QCOMPARE(Text(keyboard::kPinOrSerialNumber), "ABCDEFGHIJKLMNOP"); });
    QCOMPARE(state_.image.Field(kHidKeyboardType), 0x3Au);
    QCOMPARE(state_.image.Field(kInterCharacterDelay), 254u);
    QCOMPARE(state_.image.Text(kPinCode), std::string("ABCDEFGHIJKLMNOP"));
    QCOMPARE(state_.image.Field(kKanji), 0u);

    // Replacing a character of a 16-character PIN keeps all 16.
    InterfaceDialog(ids::kBluetoothHidAdvanced, [&] {
      auto* edit = On<QLineEdit>(keyboard::kPinOrSerialNumber);
      edit->setSelection(5, 1);
      QTest::keyClicks(edit, "x");
    });
    QCOMPARE(state_.image.Text(kPinCode), std::string("ABCDExGHIJKLMNOP"));

    // Typing stops at 15 characters.
    InterfaceDialog(ids::kBluetoothHidAdvanced,
                    [&] { Type(keyboard::kPinOrSerialNumber, "1234567890123456"); });
    QCOMPARE(state_.image.Text(kPinCode), std::string("123456789012345"));

    // M912 VCOM: authentication and discoverable as loaded, byte 18 marked.
    state_.image.SetField(kInterfaceCode, 6);
    state_.image.SetField(kM912KeyboardType, 0x60);
    state_.image.SetField(kAuthentication, 1);
    state_.image.SetField(kDiscoverable, 0);
    SystemSheet();
    InterfaceDialog(ids::kM912VcomAdvanced, [&] { Type(serial::kPinOrSerialNumber, "SN1234567"); });
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
    Type(date_time::kYear, "2023");
    QCOMPARE(Text(date_time::kDay), "28");
    Type(date_time::kYear, "19");
    Press(date_time::kUpdate);
    QCOMPARE(Text(date_time::kYear), "2000");
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
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::SystemPagesTest)
#include "system_pages_test.moc"
