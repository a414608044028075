// The System page, its interface dialogs and the Date & Time page, driven by
// control id inside the real Device Settings sheet: what they show for an
// image, what OK stores, and the rules that act before OK.
#include <QCheckBox>
#include <QRadioButton>

#include "tests/gui/sheet_driver.h"

namespace k470::gui {

using testing::Control;

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
  // Opens an interface dialog with `button`; `use` works it, then OK closes it.
  void InterfaceDialog(const char* button, const std::function<void(QDialog&)>& use) {
    SetDialogHandler([&](QDialog& d) {
      use(d);
      d.accept();
      return d.result();
    });
    Press(button);
  }

 private slots:
  void init() {
    Reset();
    clock_sets_.clear();
  }
  void cleanup() { TearDown(); }

  void storedValuesOutsideTheirRangesShowCorrectedAndCodesWithoutEntriesStay() {
    state_.image.SetByte(3, 0);           // LED duration
    state_.image.SetByte(4, 255);         // vibrator duration
    state_.image.SetBits(450, 8, 4, 12);  // string 3: no such action
    state_.image.SetByte(206, 7);         // no such power level
    state_.image.Fill(400, 10, 0);
    state_.image.SetByte(400, '\r');  // CR alone
    SystemSheet();
    QCOMPARE(Text("1020"), "1");
    QCOMPARE(Text("1021"), "254");
    QCOMPARE(On<QComboBox>("1047")->currentIndex(), -1);
    QCOMPARE(Text("1052"), "");
    QVERIFY(Checked("301"));
    Ok();
    QCOMPARE(state_.image.Byte(3), 1);
    QCOMPARE(state_.image.Byte(4), 254);
    QCOMPARE(state_.image.Bits(450, 8, 4), 12u);
    QCOMPARE(state_.image.Byte(206), 7);
    QCOMPARE(state_.image.Text(400, 10), std::string("\r"));
    QCOMPARE(state_.image.Byte(401), 0);
  }

  void editsCorrectWhatIsTypedAndTheCrBoxTakesATenthCharacter() {
    state_.image.SetText(390, 10, "ABCDEFGHIJ");
    SystemSheet();
    Type("1033", "300");
    QCOMPARE(Text("1033"), "254");
    Type("1034", "");
    QCOMPARE(Text("1034"), "0");
    Press("300");
    QCOMPARE(Text("1051"), "ABCDEFGHI");
    Ok();
    QCOMPARE(state_.image.Text(390, 10), std::string("ABCDEFGHI\r"));
    QCOMPARE(state_.image.Byte(1), 0);
  }

  void indicatorControlsFollowTheirBoxes() {
    state_.image.SetBits(5, 6, 2, 0);  // beeper off
    state_.image.SetBit(2, 2, false);  // good-read beep off
    state_.image.SetBit(2, 1, false);  // LED off
    state_.beeper_on = true;
    SystemSheet();
    QVERIFY(!state_.beeper_on);
    QCOMPARE(Enabled({"1024", "1026", "1012", "1018"}), QStringList());
    Press("1017");
    QVERIFY(state_.beeper_on);
    QCOMPARE(Enabled({"1024", "1026", "1061", "1012"}), QStringList({"1024", "1026", "1061"}));
    Press("1061");
    Press("1015");
    QCOMPARE(Enabled({"1012", "1018"}).size(), 2);
    Ok();
    QCOMPARE(state_.image.Bits(5, 6, 2), 3u);  // on, at the "High" it showed
  }

  void interfaceRadiosMarkByte18AtOnceAndOkWritesTheCode() {
    state_.image.SetBits(16, 3, 3, 6);
    state_.image.SetByte(18, 0x60);
    SystemSheet();
    QCOMPARE(Enabled({"1007", "1008", "1009", "1010"}), QStringList{"1009"});
    Press("1004");
    QCOMPARE(state_.image.Byte(18), 0x61);  // before any OK
    Press("1003");
    Ok();
    QCOMPARE(state_.image.Byte(18), 0x60);
    QCOMPARE(state_.image.Bits(16, 3, 3), 6u);

    // A code no radio stands for shows no radio and no "Advanced"; the lists
    // follow the interface chosen before, and OK keeps the code until a click.
    state_.image.SetBits(16, 3, 3, 3);
    state_.image.SetByte(18, 0x41);
    state_.selected_interface = SelectedInterface::kBluetoothHid;
    SystemSheet();
    QCOMPARE(Checked("1001") || Checked("1002") || Checked("1003") || Checked("1004"), false);
    QCOMPARE(Enabled({"1007", "1008", "1009", "1010"}), QStringList());
    QCOMPARE(state_.selected_interface, SelectedInterface::kBluetoothHid);
    Ok();
    QCOMPARE(state_.image.Bits(16, 3, 3), 3u);
    QCOMPARE(state_.image.Byte(18), 0x41);
    SystemSheet();
    Press("1001");
    QCOMPARE(Enabled({"1007", "1008", "1009", "1010"}), QStringList{"1007"});
    Ok();
    QCOMPARE(state_.image.Bits(16, 3, 3), 0u);
  }

  void resetWritesTheDefaultsAtOnceAndCancelKeepsThem() {
    state_.image.SetText(390, 10, "XX");
    state_.image.SetByte(0, 99);
    SystemSheet();
    Press("1059");
    Cancel();
    QCOMPARE(state_.image.Text(390, 10), std::string("#@TRIGON\r"));
    QCOMPARE(state_.image.Byte(0), 10);
  }

  void interfaceDialogsKeepWhatTheyDoNotShow() {
    // M912 HID over a foreign byte 18: the first type at once, even on Cancel.
    state_.image.SetBits(16, 3, 3, 6);
    state_.image.SetByte(18, 0x41);
    SetDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    SystemSheet();
    Press("1010");
    QCOMPARE(state_.image.Byte(18), 0x61);

    // Bluetooth HID: a keyboard byte outside the list, a delay of 255 and a
    // 16-character PIN from a file are shown as they can be and stored again.
    state_.image.SetBits(16, 3, 3, 5);
    state_.image.SetByte(17, 0x3A);
    state_.image.SetByte(19, 255);
    state_.image.SetText(28, 16, "ABCDEFGHIJKLMNOP");
    state_.image.SetBit(24, 5, false);  // Kanji, never shown
    SystemSheet();
    QString pin;
    InterfaceDialog("1008", [&](QDialog& d) { pin = Control<QLineEdit>(d, "1144")->text(); });
    QCOMPARE(pin, "ABCDEFGHIJKLMNOP");
    QCOMPARE(state_.image.Byte(17), 0x3A);
    QCOMPARE(state_.image.Byte(19), 254);
    QCOMPARE(state_.image.Text(28, 16), std::string("ABCDEFGHIJKLMNOP"));
    QVERIFY(!state_.image.Bit(24, 5));

    // Replacing a character of a 16-character PIN keeps all 16.
    InterfaceDialog("1008", [](QDialog& d) {
      auto* edit = Control<QLineEdit>(d, "1144");
      edit->setSelection(5, 1);
      QTest::keyClicks(edit, "x");
    });
    QCOMPARE(state_.image.Text(28, 16), std::string("ABCDExGHIJKLMNOP"));

    // Typing stops at 15 characters.
    InterfaceDialog("1008", [](QDialog& d) {
      auto* edit = Control<QLineEdit>(d, "1144");
      edit->selectAll();
      QTest::keyClicks(edit, "1234567890123456");
    });
    QCOMPARE(state_.image.Text(28, 16), std::string("123456789012345"));

    // M912 VCOM: authentication and discoverable as loaded, byte 18 marked.
    state_.image.SetBits(16, 3, 3, 6);
    state_.image.SetByte(18, 0x60);
    state_.image.SetBit(16, 1, true);
    state_.image.SetBit(16, 2, false);
    SystemSheet();
    InterfaceDialog("1009",
                    [](QDialog& d) { Control<QLineEdit>(d, "1127")->setText("SN1234567"); });
    QVERIFY(state_.image.Bit(16, 1));
    QVERIFY(!state_.image.Bit(16, 2));
    QCOMPARE(state_.image.Text(47, 9), std::string("SN1234567"));
    QCOMPARE(state_.image.Byte(18), 0x60);
  }

  void dateAndTimeFollowTheCalendarAndUpdateSetsTheClock() {
    state_.clock_mode = ClockMode::kSyncWithHost;
    SystemSheet(3);
    QCOMPARE(Text("1148"), "29");
    QVERIFY(!On("1162")->isEnabled());
    Press("1143");
    QCOMPARE(state_.clock_mode, ClockMode::kSetTimeAndDate);
    Type("1146", "2023");
    QCOMPARE(Text("1148"), "28");
    Type("1146", "19");
    Press("1162");
    QCOMPARE(Text("1146"), "2000");
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
