// The TAG Type page inside the real Device Settings sheet and the Single TAG
// Mode dialog, both driven by control name: what they show for an image, the
// rules that act before OK, and what OK and Cancel leave in the image.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <random>

#include "core/defaults.h"
#include "pages/settings_pages.h"
#include "pages/tagfilter/epc_filter.h"
#include "pages/tagfilter/single_tag_mode_dialog.h"
#include "shell/device_settings_sheet.h"
#include "tests/gui/dialog_test_util.h"
#include "tests/support/filter_choices.h"
#include "widgets/modal.h"

namespace k470::gui {

using testing::Control;

namespace {

constexpr std::size_t kMaskWord = 207;
constexpr std::size_t kIncludePointer = 90;
constexpr std::size_t kExcludePointer = 126;

std::vector<std::uint8_t> BytesAt(const SettingsImage& image, std::size_t offset, std::size_t n) {
  return {image.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
          image.bytes().begin() + static_cast<std::ptrdiff_t>(offset + n)};
}

// Both filter records with their Pattern2 masks.
std::vector<std::uint8_t> Records(const SettingsImage& image) {
  std::vector<std::uint8_t> bytes = BytesAt(image, 90, 72);
  const auto pattern2 = BytesAt(image, 212, 64);
  bytes.insert(bytes.end(), pattern2.begin(), pattern2.end());
  return bytes;
}

FilterChoice Filter(FilterType type, FilterMethod method, std::uint8_t header,
                    std::string pattern1 = "", std::optional<unsigned> count = {},
                    std::optional<int> value = {}) {
  return {type, method, header, value, std::move(pattern1), "", count};
}

}  // namespace

class TagFilterPagesTest : public QObject {
  Q_OBJECT

  AppState state_;
  std::unique_ptr<DeviceSettingsSheet> sheet_;
  QDialog* dialog_ = nullptr;

  DeviceSettingsSheet& Sheet(int tab) {
    sheet_ = std::make_unique<DeviceSettingsSheet>(state_, DefaultSettingsPages(), SheetServices{});
    sheet_->tabs()->setCurrentIndex(tab);
    return *sheet_;
  }
  std::uint16_t MaskWord() const { return state_.image.Word16(kMaskWord); }

  // Opens the dialog over the state; `user` plays the user while it is open,
  // then OK (or Cancel) closes it.
  void Dialog(const std::function<void()>& user, bool ok = true) {
    bool opened = false;
    SetDialogHandler([&](QDialog& d) {
      opened = true;
      dialog_ = &d;
      user();
      On<QPushButton>(ok ? "1" : "2")->click();
      dialog_ = nullptr;
      return d.result();
    });
    OpenSingleTagModeDialog(state_, nullptr);
    QVERIFY(opened);
  }
  template <typename T = QWidget>
  T* On(const char* id) {
    return Control<T>(*dialog_, id);
  }
  // The user picks the entry with `text` from a list.
  void Pick(const char* id, const QString& text) {
    auto* list = On<QComboBox>(id);
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  void Type(const char* id, const QString& text) {
    auto* edit = On<QLineEdit>(id);
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  QString Text(const char* id) {
    QWidget* w = On(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(w)) return list->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    return qobject_cast<QLabel*>(w)->text();
  }
  bool Checked(const char* id) { return On<QAbstractButton>(id)->isChecked(); }
  // Which of `ids` are enabled.
  QStringList Enabled(std::initializer_list<const char*> ids) {
    QStringList enabled;
    for (const char* id : ids) {
      if (On(id)->isEnabled()) enabled << id;
    }
    return enabled;
  }
  QStringList EnabledFilterControls() {
    return Enabled({"tagType", "byFilterValue", "byFirstField", "bySecondField", "filterValue",
                    "digitCount", "digitRange", "pattern1", "pattern2"});
  }

 private slots:
  void init() {
    state_ = AppState{};
    New(state_);
  }
  void cleanup() {
    SetDialogHandler({});
    sheet_.reset();
  }

  void tagTypeBoxesWriteTheWholeMaskAtOnceAndKeepBit15() {
    state_.image.SetBit(kMaskWord, 15, true);
    Sheet(1);
    for (int id = 1216; id <= 1230; ++id) {
      QVERIFY(Control<QCheckBox>(*sheet_, QString::number(id))->isChecked());
    }
    Control<QCheckBox>(*sheet_, "1218")->click();  // DoD-96
    QCOMPARE(MaskWord(), 0xFFFB);
    Control<QPushButton>(*sheet_, "1232")->click();
    QCOMPARE(MaskWord(), 0x8000);
    QVERIFY(!Control<QCheckBox>(*sheet_, "1230")->isChecked());
    Control<QCheckBox>(*sheet_, "1230")->click();  // ADI-var
    QCOMPARE(MaskWord(), 0xC000);
    Control<QPushButton>(*sheet_, "1215")->click();
    QCOMPARE(MaskWord(), 0xFFFF);
  }

  void cancelRestoresTheMaskOnlyFromTheTagTypePage() {
    state_.image.SetWord16(kMaskWord, 0x1234);
    Sheet(1);
    Control<QPushButton>(*sheet_, "1232")->click();
    Control<QCheckBox>(*sheet_, "1216")->click();
    state_.image.SetBit(kMaskWord, 15, true);  // not the page's: Cancel leaves it
    Control<QPushButton>(*sheet_, "2")->click();
    QCOMPARE(MaskWord(), 0x9234);

    // Cleared, then cancelled from another page: the cleared mask stays, and
    // the dialog then offers no TAG type. Its OK writes the scan fields and
    // byte 89, but neither byte 211 nor a filter record.
    state_.image.SetWord16(kMaskWord, 0x7FFF);
    Sheet(1);
    Control<QPushButton>(*sheet_, "1232")->click();
    sheet_->tabs()->setCurrentIndex(0);
    Control<QPushButton>(*sheet_, "2")->click();
    QCOMPARE(MaskWord(), 0);
    StoreFilter(Filter(FilterType::kExcludeEpc, FilterMethod::kFirstField, 0x2F, "ABC"),
                state_.image);
    const SettingsImage before = state_.image;
    Dialog([&] {
      QCOMPARE(On<QComboBox>("tagType")->count(), 0);
      Pick("filterType", "Include EPC");
      Type("pattern1", "0614141");
      Type("scanningTimeout", "9");
    });
    QCOMPARE(state_.image.Byte(81), 9);
    QCOMPARE(state_.image.Byte(89) & 0x0F, 0x01);
    QCOMPARE(state_.image.Byte(211), before.Byte(211));
    QCOMPARE(Records(state_.image), Records(before));
  }

  // The Operation page's two "Advanced" buttons open this dialog in the sheet
  // the program builds.
  void operationPagesAdvancedButtonsOpenTheDialog() {
    state_.image.SetBits(80, 0, 4, kScanModeMultiTag);
    Sheet(2);
    QStringList titles;
    SetDialogHandler([&](QDialog& d) {
      titles << d.windowTitle();
      return static_cast<int>(QDialog::Rejected);
    });
    Control<QPushButton>(*sheet_, "1068")->click();
    QCOMPARE(titles, QStringList{"Multi-TAG Mode"});
  }

  // The promise of the dialog: opened and confirmed without an edit, it leaves
  // any image it could have written byte for byte, in every scan mode. Images
  // with both directions set, which it cannot write, are kept as well.
  void unchangedOkKeepsEveryFilterTheDialogWrites() {
    std::mt19937 rng(12);
    int rounds = 0;
    for (const TagType& type : kTagTypes) {
      for (FilterType filter_type :
           {FilterType::kDisableFilter, FilterType::kIncludeEpc, FilterType::kExcludeEpc}) {
        for (FilterMethod method :
             {FilterMethod::kFilterValue, FilterMethod::kFirstField, FilterMethod::kSecondField}) {
          for (int i = 0; i < 8; ++i, ++rounds) {
            state_.image = k470::testing::RandomImage(rng);
            state_.image.SetByte(81, static_cast<std::uint8_t>(rng() % 255));
            state_.image.SetByte(82, static_cast<std::uint8_t>(rng() % 129));
            state_.image.SetBit(83, 1, false);
            state_.image.SetBit(kMaskWord, SchemeIndex(type.scheme), true);
            StoreFilter(k470::testing::GenerateChoice(rng, type, filter_type, method),
                        state_.image);
            if (rng() % 8 == 0) {
              state_.image.SetBits(89, 0, 2, 1 + rng() % 3);
              state_.image.SetBits(89, 2, 2, 1 + rng() % 3);
            }
            state_.pending_scan_mode =
                std::array{kScanModeSingleTag, kScanModeMultiTag, kScanModeTest}[rng() % 3];
            state_.beeper_on = rng() % 2;
            const SettingsImage written = state_.image;
            Dialog([] {});
            QVERIFY2(state_.image == written,
                     qPrintable(QStringLiteral("%1, Filter Type %2, method %3, round %4")
                                    .arg(QLatin1String(type.name.data(), type.name.size()))
                                    .arg(static_cast<int>(filter_type))
                                    .arg(static_cast<int>(method))
                                    .arg(rounds)));
          }
        }
      }
    }
  }

  void titleAndScanControlsFollowThePendingScanMode() {
    const auto scan_controls = [this] {
      return Enabled({"scanningTimeout", "scanningTimeoutSpin", "delay", "multiTagCount",
                      "counterLimit", "counterLimitSpin", "warnAtLimit"});
    };
    state_.beeper_on = true;
    Dialog(
        [&] {
          QCOMPARE(dialog_->windowTitle(), "Single TAG Mode");
          QCOMPARE(scan_controls(), QStringList({"scanningTimeout", "scanningTimeoutSpin"}));
        },
        false);
    state_.pending_scan_mode = kScanModeTest;
    Dialog(
        [&] {
          QCOMPARE(dialog_->windowTitle(), "Single TAG Mode");
          QCOMPARE(scan_controls().size(), 7);
        },
        false);

    // Multi-TAG Mode with the beeper off: the warning is shown as stored but
    // cannot be changed, and OK writes it back; bit 1 of byte 83 is cleared.
    state_.pending_scan_mode = kScanModeMultiTag;
    state_.beeper_on = false;
    state_.image.SetByte(80, 0xA7);  // a delay the list does not have
    state_.image.SetByte(83, 0xF3);
    Dialog([&] {
      QCOMPARE(dialog_->windowTitle(), "Multi-TAG Mode");
      QCOMPARE(scan_controls(),
               QStringList({"delay", "multiTagCount", "counterLimit", "counterLimitSpin"}));
      QVERIFY(Checked("warnAtLimit"));
      QCOMPARE(On<QComboBox>("delay")->currentIndex(), -1);
      Type("counterLimit", "200");
      QCOMPARE(Text("counterLimit"), "128");
    });
    QCOMPARE(state_.image.Byte(80), 0xA7);
    QCOMPARE(state_.image.Byte(82), 128);
    QCOMPARE(state_.image.Byte(83), 0xF1);

    state_.beeper_on = true;
    Dialog([&] {
      QVERIFY(On("warnAtLimit")->isEnabled());
      On<QCheckBox>("warnAtLimit")->click();
      Pick("delay", "5000ms");
      On<QLineEdit>("scanningTimeout")->setText("300");  // disabled, still corrected
      QCOMPARE(Text("scanningTimeout"), "254");
    });
    QCOMPARE(state_.image.Byte(80), 0x77);
    QCOMPARE(state_.image.Byte(81), 254);
    QCOMPARE(state_.image.Byte(83), 0xF0);
  }

  void filterTypeDecidesWhichDirectionOkWrites() {
    // "Disable Filter" clears bits 0-3 only; the records keep their bytes.
    StoreFilter(Filter(FilterType::kIncludeEpc, FilterMethod::kSecondField, 0x3B, "AB1"),
                state_.image);
    state_.image.SetBits(89, 4, 4, 0xC);
    const SettingsImage included = state_.image;
    Dialog([&] {
      QCOMPARE(Text("filterType"), "Include EPC");
      QCOMPARE(Text("pattern1"), "AB1");
      Pick("filterType", "Disable Filter");
      QCOMPARE(EnabledFilterControls(), QStringList());
      QCOMPARE(Text("pattern1"), "");
    });
    QCOMPARE(state_.image.Byte(89), 0xC0);
    QCOMPARE(Records(state_.image), Records(included));

    // "Include EPC" over a stored exclude filter clears the exclude code and
    // writes the include record alone.
    StoreFilter(Filter(FilterType::kExcludeEpc, FilterMethod::kFirstField, 0x30, "123456"),
                state_.image);
    const SettingsImage excluded = state_.image;
    Dialog([&] {
      QCOMPARE(Text("filterType"), "Exclude EPC");
      QCOMPARE(Text("pattern1"), "123456");
      Pick("filterType", "Include EPC");
      QCOMPARE(Text("pattern1"), "");
      Type("pattern1", "0614141");
    });
    QCOMPARE(state_.image.Byte(89), 0xC1);
    QCOMPARE(BytesAt(state_.image, kIncludePointer, 7),
             (std::vector<std::uint8_t>{0, 14, 0, 24, 0x09, 0x5E, 0xFD}));
    QCOMPARE(BytesAt(state_.image, kExcludePointer, 36), BytesAt(excluded, kExcludePointer, 36));
  }

  void gid96HasNoFilterValueRadioUntilTheFilterTypeChanges() {
    StoreFilter(Filter(FilterType::kIncludeEpc, FilterMethod::kFilterValue, 0x30, "", {}, 3),
                state_.image);
    Dialog([&] {
      QVERIFY(Checked("byFilterValue"));
      QCOMPARE(Text("filterValue"), "[3] Reserved");
      Pick("tagType", "GID-96");
      QVERIFY(Checked("byFirstField"));
      QCOMPARE(EnabledFilterControls(),
               QStringList({"tagType", "byFirstField", "bySecondField", "pattern1"}));
      Type("pattern1", "123456789012");
      QCOMPARE(Text("pattern1"), "123456789");
      // A change of Filter Type enables all three radios again, and the
      // filter-value radio then writes GID-96's zero-length filter.
      Pick("filterType", "Exclude EPC");
      QVERIFY(On("byFilterValue")->isEnabled());
      On<QRadioButton>("byFilterValue")->click();
      QCOMPARE(Text("filterValue"), "Not applicable");
    });
    QCOMPARE(state_.image.Byte(89) & 0x0F, 0x04);
    QCOMPARE(state_.image.Byte(211), 0x35);
    QCOMPARE(BytesAt(state_.image, kExcludePointer, 4), (std::vector<std::uint8_t>{0, 8, 0, 0}));
    QCOMPARE(BytesAt(state_.image, kExcludePointer + 4, 32), std::vector<std::uint8_t>(32, 0));

    // Opened on it, that filter keeps its radio, which cannot be chosen again.
    const SettingsImage zero_length = state_.image;
    Dialog([&] {
      QVERIFY(Checked("byFilterValue"));
      QVERIFY(!On("byFilterValue")->isEnabled());
    });
    QCOMPARE(state_.image, zero_length);

    StoreFilter(Filter(FilterType::kIncludeEpc, FilterMethod::kSecondField, 0x35, "77", 2u),
                state_.image);
    Dialog(
        [&] {
          QVERIFY(Checked("bySecondField"));
          QCOMPARE(EnabledFilterControls(),
                   QStringList({"tagType", "byFirstField", "bySecondField", "digitCount",
                                "digitRange", "pattern1", "pattern2"}));
        },
        false);
  }

  void tagTypeListOffersTheEnabledTypes() {
    // The stored type is not offered: the fourth entry, with its values.
    state_.image.SetBit(kMaskWord, 8, false);
    StoreFilter(Filter(FilterType::kIncludeEpc, FilterMethod::kFirstField, 0x35, "5"),
                state_.image);
    Dialog([&] {
      QCOMPARE(On<QComboBox>("tagType")->count(), 14);
      QCOMPARE(Text("tagType"), "SGTIN-96");
    });
    QCOMPARE(state_.image.Byte(211), 0x30);

    // When the fourth entry is not SGTIN-96, the list shows that type's values.
    state_.image.SetWord16(kMaskWord, 0x4007);  // GDTI-96, GSRN-96, DoD-96, ADI-var
    Dialog(
        [&] {
          QCOMPARE(Text("tagType"), "ADI-var");
          QCOMPARE(On<QComboBox>("filterValue")->count(), 64);
        },
        false);

    // Fewer than four entries and the stored type not among them: none is
    // selected, and OK keeps byte 211 and the records.
    state_.image.SetWord16(kMaskWord, 0x0003);
    const SettingsImage before = state_.image;
    Dialog([&] { QCOMPARE(On<QComboBox>("tagType")->currentIndex(), -1); });
    QCOMPARE(state_.image, before);
  }

  void patternLimitsFollowTheTypeAndTheDigitCount() {
    state_.image.SetBits(89, 0, 4, 1);  // include, SGTIN-96 company prefix
    Dialog([&] {
      On<QRadioButton>("bySecondField")->click();
      Type("pattern1", "123456789");
      QCOMPARE(Text("pattern1"), "1234567");
      // A count limits typing but does not cut what is there.
      Type("digitCount", "3");
      QCOMPARE(Text("pattern1"), "1234567");
      Type("pattern2", "98765");
      QCOMPARE(Text("pattern2"), "987");
      Type("digitCount", "");
      Type("pattern2", "98765");
      QCOMPARE(Text("pattern2"), "98765");
      Type("digitCount", "6");
      Type("pattern1", "12345");
      Type("pattern2", "");
    });
    // The exclude example's bytes, in the include record: p = 5.
    QCOMPARE(BytesAt(state_.image, kIncludePointer, 7),
             (std::vector<std::uint8_t>{0, 38, 0, 20, 0x03, 0x03, 0x90}));

    Dialog([&] {
      QCOMPARE(Text("pattern1"), "012345");
      QCOMPARE(Text("digitCount"), "6");
      Pick("tagType", "ADI-var");
      QCOMPARE(Text("pattern1"), "");
      QCOMPARE(Text("digitCount"), "");
      Type("pattern1", QString(40, QLatin1Char('A')));
      QCOMPARE(Text("pattern1").size(), 32);
      // Letters typed in lowercase show as capitals, one key at a time.
      Type("pattern1", "ab");
      QTest::keyClicks(On<QLineEdit>("pattern1"), "c");
      QCOMPARE(Text("pattern1"), "ABC");
      Type("pattern2", "x1y");
      QCOMPARE(Text("pattern2"), "X1Y");
      Pick("tagType", "GIAI-202");
      Type("pattern1", "ab");
      QCOMPARE(Text("pattern1"), "ab");
    });
    QCOMPARE(state_.image.Byte(211), 0x38);
  }

  void methodRadiosClearTheTextsAndSwitchTheirControls() {
    StoreFilter(Filter(FilterType::kExcludeEpc, FilterMethod::kSecondField, 0x2F, "42", 2u),
                state_.image);
    const SettingsImage before = state_.image;
    Dialog(
        [&] {
          QCOMPARE(Text("pattern1"), "42");
          On<QRadioButton>("byFilterValue")->click();
          QCOMPARE(Text("pattern1"), "");
          QCOMPARE(Text("digitCount"), "");
          QCOMPARE(EnabledFilterControls(), QStringList({"tagType", "byFilterValue", "byFirstField",
                                                         "bySecondField", "filterValue"}));
          On<QRadioButton>("byFirstField")->click();
          QCOMPARE(EnabledFilterControls(), QStringList({"tagType", "byFilterValue", "byFirstField",
                                                         "bySecondField", "pattern1"}));
          Type("pattern1", "ABCDEFGH");
          QCOMPARE(Text("pattern1"), "ABCDEF");
          Pick("filterType", "Include EPC");
        },
        false);
    QCOMPARE(state_.image, before);  // Cancel writes nothing
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::TagFilterPagesTest)
#include "tagfilter_pages_test.moc"
