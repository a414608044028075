// The System page, its interface dialogs and the Date & Time page, driven by
// control id inside the real Device Settings sheet: what they show for an
// image, what OK stores, and the rules that act before OK.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "core/defaults.h"
#include "pages/settings_pages.h"
#include "shell/device_settings_sheet.h"
#include "tests/gui/dialog_test_util.h"
#include "widgets/modal.h"

namespace k470::gui {

using testing::Control;

class SystemPagesTest : public QObject {
  Q_OBJECT

  AppState state_;
  std::vector<ClockTime> clock_sets_;
  std::unique_ptr<DeviceSettingsSheet> sheet_;

  // The sheet over the state, its clock at 29 February 2024, 23:59:58.
  DeviceSettingsSheet& Sheet(int tab = 0) {
    SheetServices services;
    services.local_time = [] { return ClockTime{2024, 2, 29, 23, 59, 58}; };
    services.set_reader_clock = [this](const ClockTime& t, QWidget*) { clock_sets_.push_back(t); };
    sheet_ = std::make_unique<DeviceSettingsSheet>(state_, DefaultSettingsPages(), services);
    sheet_->tabs()->setCurrentIndex(tab);
    return *sheet_;
  }
  template <typename T = QWidget>
  T* On(const char* id) {
    return Control<T>(*sheet_, id);
  }
  void Ok() { On<QPushButton>("1")->click(); }
  void Cancel() { On<QPushButton>("2")->click(); }
  // Types `text` over the whole text of an edit, key by key; "" erases it.
  void Type(const char* id, const QString& text) {
    auto* edit = On<QLineEdit>(id);
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }

 private slots:
  void init() {
    state_ = AppState{};
    New(state_);
    clock_sets_.clear();
  }
  void cleanup() {
    SetDialogHandler({});
    sheet_.reset();
  }

  void storedValuesOutsideTheirRangesShowCorrectedAndCodesWithoutEntriesStay() {
    state_.image.SetByte(3, 0);           // LED duration
    state_.image.SetByte(4, 255);         // vibrator duration
    state_.image.SetByte(0, 255);         // shutdown
    state_.image.SetBits(450, 8, 4, 12);  // string 3: no such action
    state_.image.SetByte(206, 7);         // no such power level
    state_.image.Fill(400, 10, 0);
    state_.image.SetByte(400, '\r');  // CR alone
    state_.image.SetText(410, 10, "0123456789");
    Sheet();
    QCOMPARE(On<QLineEdit>("1020")->text(), "1");
    QCOMPARE(On<QLineEdit>("1021")->text(), "254");
    QCOMPARE(On<QLineEdit>("1033")->text(), "254");
    QCOMPARE(On<QComboBox>("1047")->currentIndex(), -1);
    QCOMPARE(On<QComboBox>("1239")->currentIndex(), -1);
    QCOMPARE(On<QLineEdit>("1052")->text(), "");
    QVERIFY(On<QCheckBox>("301")->isChecked());
    QCOMPARE(On<QLineEdit>("1053")->text(), "0123456789");
    QVERIFY(!On<QCheckBox>("302")->isChecked());
    Ok();
    QCOMPARE(state_.image.Byte(3), 1);
    QCOMPARE(state_.image.Byte(4), 254);
    QCOMPARE(state_.image.Byte(0), 254);
    QCOMPARE(state_.image.Bits(450, 8, 4), 12u);
    QCOMPARE(state_.image.Byte(206), 7);
    QCOMPARE(state_.image.Text(400, 10), std::string("\r"));
    QCOMPARE(state_.image.Byte(401), 0);
    QCOMPARE(state_.image.Text(410, 10), std::string("0123456789"));
  }

  void editsCorrectWhatIsTypedAndTheCrBoxTakesATenthCharacter() {
    state_.image.SetText(390, 10, "ABCDEFGHIJ");
    Sheet();
    Type("1033", "300");
    QCOMPARE(On<QLineEdit>("1033")->text(), "254");
    Type("1034", "");
    QCOMPARE(On<QLineEdit>("1034")->text(), "0");
    Type("1020", "");
    QCOMPARE(On<QLineEdit>("1020")->text(), "1");
    On<QCheckBox>("300")->click();
    QCOMPARE(On<QLineEdit>("1051")->text(), "ABCDEFGHI");
    Ok();
    QCOMPARE(state_.image.Text(390, 10), std::string("ABCDEFGHI\r"));
    QCOMPARE(state_.image.Byte(1), 0);
  }

  void indicatorControlsFollowTheirBoxes() {
    state_.image.SetBits(5, 6, 2, 0);  // beeper off
    state_.image.SetBit(2, 2, false);  // good-read beep off
    state_.image.SetBit(2, 1, false);  // LED off
    state_.beeper_on = true;
    Sheet();
    QVERIFY(!state_.beeper_on);
    QCOMPARE(On<QComboBox>("1026")->currentText(), "High");
    for (const char* id :
         {"1024", "1026", "1061", "1022", "1012", "1023", "1025", "1018", "1020", "1027"}) {
      QVERIFY2(!On(id)->isEnabled(), id);
    }
    On<QCheckBox>("1017")->click();
    QVERIFY(state_.beeper_on);
    for (const char* id : {"1024", "1026", "1061"}) QVERIFY2(On(id)->isEnabled(), id);
    QVERIFY(!On("1012")->isEnabled());
    On<QCheckBox>("1061")->click();
    for (const char* id : {"1022", "1012", "1023", "1025"}) QVERIFY2(On(id)->isEnabled(), id);
    On<QCheckBox>("1015")->click();
    for (const char* id : {"1018", "1020", "1027"}) QVERIFY2(On(id)->isEnabled(), id);
    QVERIFY(!On("1062")->isVisible());
    Ok();
    QCOMPARE(state_.image.Bits(5, 6, 2), 3u);  // on, at the "High" it showed
  }

  void interfaceRadiosMarkByte18AtOnceAndOkWritesTheCode() {
    state_.image.SetBits(16, 3, 3, 6);
    state_.image.SetByte(18, 0x60);
    Sheet();
    QVERIFY(On<QRadioButton>("1003")->isChecked());
    for (const char* id : {"1007", "1008", "1010"}) QVERIFY2(!On(id)->isEnabled(), id);
    QVERIFY(On("1009")->isEnabled());

    On<QRadioButton>("1004")->click();
    QCOMPARE(state_.image.Byte(18), 0x61);  // before any OK
    QCOMPARE(state_.selected_interface, SelectedInterface::kM912Hid);
    On<QRadioButton>("1003")->click();
    Ok();
    QCOMPARE(state_.image.Byte(18), 0x60);
    QCOMPARE(state_.image.Bits(16, 3, 3), 6u);

    // A code no interface has keeps the interface chosen before; OK writes its code.
    state_.image.SetBits(16, 3, 3, 3);
    state_.selected_interface = SelectedInterface::kBluetoothHid;
    Sheet();
    QVERIFY(On<QRadioButton>("1002")->isChecked());
    Ok();
    QCOMPARE(state_.image.Bits(16, 3, 3), 5u);
  }

  void resetWritesTheDefaultsAtOnceAndCancelKeepsThem() {
    state_.image.SetText(390, 10, "XX");
    state_.image.SetByte(0, 99);
    Sheet();
    On<QPushButton>("1059")->click();
    QCOMPARE(On<QLineEdit>("1051")->text(), "#@TRIGON");
    QVERIFY(On<QCheckBox>("300")->isChecked());
    QCOMPARE(On<QComboBox>("1046")->currentText(), "Trigger is released");
    QCOMPARE(On<QComboBox>("1047")->currentText(), "Disable");
    Cancel();
    QCOMPARE(state_.image.Text(390, 10), std::string("#@TRIGON\r"));
    QCOMPARE(state_.image.Byte(0), 10);
  }

  void interfaceDialogsKeepWhatTheyDoNotShow() {
    // Each dialog is answered by the handler; what it showed is noted as text.
    QStringList seen;
    const auto shown = [](QDialog& d, const char* id) {
      QWidget* w = Control<QWidget>(d, id);
      QString state = w->isVisibleTo(&d) ? "shown" : "hidden";
      if (!w->isEnabled()) state += " disabled";
      if (auto* list = qobject_cast<QComboBox*>(w)) state += " '" + list->currentText() + "'";
      if (auto* edit = qobject_cast<QLineEdit*>(w)) state += " '" + edit->text() + "'";
      if (auto* label = qobject_cast<QLabel*>(w)) state += " '" + label->text() + "'";
      return QString(id) + " " + state;
    };

    // M912 HID over a foreign byte 18: the first type at once, even on Cancel.
    state_.image.SetBits(16, 3, 3, 6);
    state_.image.SetByte(18, 0x41);
    state_.image.SetBit(24, 5, false);  // Kanji, never shown
    SetDialogHandler([&](QDialog& d) {
      seen << d.windowTitle();
      for (const char* id : {"1012", "1143", "1140", "1145", "1146", "1141"}) seen << shown(d, id);
      return static_cast<int>(QDialog::Rejected);
    });
    Sheet();
    On<QPushButton>("1010")->click();
    QCOMPARE(seen,
             QStringList({"M912 HID", "1012 shown 'M912 PACT US'", "1143 shown 'M912 S/N :'",
                          "1140 hidden", "1145 hidden", "1146 hidden", "1141 shown disabled"}));
    QCOMPARE(state_.image.Byte(18), 0x61);

    // Bluetooth HID: a keyboard byte outside the list, a delay of 255 and a
    // 16-character PIN from a file are shown as they can be and stored again.
    state_.image.SetBits(16, 3, 3, 5);
    state_.image.SetByte(17, 0x3A);
    state_.image.SetByte(19, 255);
    state_.image.SetText(28, 16, "ABCDEFGHIJKLMNOP");
    seen.clear();
    SetDialogHandler([&](QDialog& d) {
      for (const char* id : {"1012", "1138", "1144"}) seen << shown(d, id);
      d.accept();
      return d.result();
    });
    Sheet();
    On<QPushButton>("1008")->click();
    QCOMPARE(seen,
             QStringList({"1012 shown ''", "1138 shown '254'", "1144 shown 'ABCDEFGHIJKLMNOP'"}));
    QCOMPARE(state_.image.Byte(17), 0x3A);
    QCOMPARE(state_.image.Byte(19), 254);
    QCOMPARE(state_.image.Text(28, 16), std::string("ABCDEFGHIJKLMNOP"));
    QVERIFY(!state_.image.Bit(24, 5));

    // An edited PIN is what the edit shows: at most 15 characters.
    SetDialogHandler([&](QDialog& d) {
      auto* pin = Control<QLineEdit>(d, "1144");
      pin->selectAll();
      QTest::keyClicks(pin, "1234567890123456");
      d.accept();
      return d.result();
    });
    On<QPushButton>("1008")->click();
    QCOMPARE(state_.image.Text(28, 16), std::string("123456789012345"));

    // M912 VCOM: authentication and discoverable as loaded, byte 18 marked.
    state_.image.SetBits(16, 3, 3, 6);
    state_.image.SetByte(18, 0x60);
    state_.image.SetBit(16, 1, true);
    state_.image.SetBit(16, 2, false);
    seen.clear();
    SetDialogHandler([&](QDialog& d) {
      seen << d.windowTitle();
      for (const char* id : {"1123", "1124", "1128", "1126"}) seen << shown(d, id);
      Control<QLineEdit>(d, "1127")->setText("SN1234567");
      d.accept();
      return d.result();
    });
    Sheet();
    On<QPushButton>("1009")->click();
    QCOMPARE(seen, QStringList({"M912 VCOM", "1123 hidden disabled", "1124 shown disabled",
                                "1128 hidden", "1126 shown 'M912 S/N :'"}));
    QVERIFY(state_.image.Bit(16, 1));
    QVERIFY(!state_.image.Bit(16, 2));
    QCOMPARE(state_.image.Text(47, 9), std::string("SN1234567"));
    QCOMPARE(state_.image.Byte(18), 0x60);
  }

  void dateAndTimeFollowTheCalendarAndUpdateSetsTheClock() {
    state_.clock_mode = ClockMode::kSyncWithHost;
    Sheet(3);
    QCOMPARE(On<QLineEdit>("1146")->text(), "2024");
    QCOMPARE(On<QLineEdit>("1148")->text(), "29");
    QVERIFY(!On("1163")->isEnabled());
    QVERIFY(!On("1162")->isEnabled());
    On<QRadioButton>("1143")->click();
    QCOMPARE(state_.clock_mode, ClockMode::kSetTimeAndDate);
    QVERIFY(On("1162")->isEnabled());

    Type("1146", "2023");
    QCOMPARE(On<QLineEdit>("1148")->text(), "28");
    Type("1146", "19");
    QCOMPARE(On<QLineEdit>("1146")->text(), "19");
    On<QPushButton>("1162")->click();
    QCOMPARE(On<QLineEdit>("1146")->text(), "2000");
    QCOMPARE(clock_sets_, (std::vector<ClockTime>{{2000, 2, 28, 23, 59, 58}}));

    // Cancel on this page skips the clock on the next download; on another it does not.
    Cancel();
    QCOMPARE(state_.clock_mode, ClockMode::kSkip);
    state_.clock_mode = ClockMode::kSyncWithHost;
    Sheet(3);
    sheet_->tabs()->setCurrentIndex(0);
    Cancel();
    QCOMPARE(state_.clock_mode, ClockMode::kSyncWithHost);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::SystemPagesTest)
#include "system_pages_test.moc"
