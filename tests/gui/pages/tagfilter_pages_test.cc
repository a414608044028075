// The TAG Type page inside the real Device Settings sheet and the Single TAG
// Mode dialog, both driven by control name: what they show for an image, the
// rules that act before OK, and what OK and Cancel leave in the image.
#include <QCheckBox>
#include <QRadioButton>
#include <functional>
#include <random>

#include "pages/tagfilter/single_tag_mode_dialog.h"
#include "settings/tagfilter/epc_filter.h"
#include "settings/tagfilter/single_tag_mode_ids.h"
#include "settings/tagfilter/tag_type_page_ids.h"
#include "tests/gui/support/sheet_driver.h"
#include "tests/support/filter_choices.h"
#include "tests/support/generated_images.h"

namespace k470::gui {

namespace {

namespace single_tag = single_tag_mode_ids;
namespace tag_ids = tag_type_page_ids;

constexpr std::size_t kMaskWord = kTagTypeMask.byte;
constexpr std::size_t kIncludePointer = kIncludeRecord.pointer;
constexpr std::size_t kExcludePointer = kExcludeRecord.pointer;

std::vector<std::uint8_t> BytesAt(const SettingsImage& image, std::size_t offset, std::size_t n) {
  return {image.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
          image.bytes().begin() + static_cast<std::ptrdiff_t>(offset + n)};
}

// Both filter records with their Pattern2 masks.
std::vector<std::uint8_t> Records(const SettingsImage& image) {
  std::vector<std::uint8_t> bytes =
      BytesAt(image, kIncludeRecord.pointer, 2 * kFilterRecordHeadSize);
  const auto pattern2 = BytesAt(image, kIncludeRecord.pattern2, 2 * kFilterPatternSize);
  bytes.insert(bytes.end(), pattern2.begin(), pattern2.end());
  return bytes;
}

FilterChoice Filter(FilterType type, FilterMethod method, std::uint8_t header,
                    std::string pattern1 = "", std::optional<unsigned> count = {},
                    std::optional<int> value = {}) {
  return {type, method, header, value, std::move(pattern1), "", count};
}

}  // namespace

class TagFilterPagesTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::uint16_t MaskWord() const { return state_.image.Word16(kMaskWord); }

  // Opens the dialog over the state; `user` plays the user while it is open,
  // then OK (or Cancel) closes it, and what it hands back is stored as the
  // Operation page stores it.
  void Dialog(const std::function<void()>& user, bool ok = true) {
    bool opened = false;
    SetDialogHandler([&](QDialog& d) {
      opened = true;
      scope_ = &d;
      user();
      Press(ok ? "1" : "2");
      scope_ = nullptr;
      return d.result();
    });
    if (const auto result = OpenSingleTagModeDialog(state_, nullptr)) {
      StoreSingleTagMode(*result, state_.image);
    }
    QVERIFY(opened);
  }
  QStringList EnabledFilterControls() {
    return Enabled({single_tag::kTagType, single_tag::kByFilterValue, single_tag::kByFirstField,
                    single_tag::kBySecondField, single_tag::kFilterValue, single_tag::kDigitCount,
                    single_tag::kDigitRange, single_tag::kPattern1, single_tag::kPattern2});
  }

 private slots:
  void init() { Reset(); }
  void cleanup() { TearDown(); }

  void tagTypeBoxesWriteTheWholeMaskAtOnceAndKeepBit15() {
    state_.image.SetField(kHiddenBit207, 1);
    Sheet(1);
    Press(tag_ids::kDod96);
    QCOMPARE(MaskWord(), 0xFFFB);
    Press(tag_ids::kClearAll);
    QCOMPARE(MaskWord(), 0x8000);
    Press(tag_ids::kAdiVar);
    QCOMPARE(MaskWord(), 0xC000);
    Press(tag_ids::kSelectAll);
    QCOMPARE(MaskWord(), 0xFFFF);
  }

  void cancelRestoresTheMaskOnlyFromTheTagTypePage() {
    state_.image.SetWord16(kMaskWord, 0x1234);
    Sheet(1);
    Press(tag_ids::kClearAll);
    Press(tag_ids::kGdti96);
    state_.image.SetField(kHiddenBit207, 1);  // not the page's: Cancel leaves it
    Cancel();
    QCOMPARE(MaskWord(), 0x9234);

    // Cleared, then cancelled from another page: the cleared mask stays, and
    // the dialog then offers no TAG type. Without one no record can be
    // written, so the filter cannot be switched on or off: OK writes the scan
    // fields and leaves byte 89, byte 211 and both records.
    state_.image.SetWord16(kMaskWord, 0x7FFF);
    Sheet(1);
    Press(tag_ids::kClearAll);
    sheet_->tabs()->setCurrentIndex(0);
    Cancel();
    QCOMPARE(MaskWord(), 0);
    StoreFilter(Filter(FilterType::kExcludeEpc, FilterMethod::kFirstField, 0x2F, "ABC"),
                state_.image);
    const SettingsImage before = state_.image;
    Dialog([&] {
      QCOMPARE(On<QComboBox>(single_tag::kTagType)->count(), 0);
      QVERIFY(!On(single_tag::kFilterType)->isEnabled());
      QVERIFY(!On(single_tag::kFilterType)->toolTip().isEmpty());
      QCOMPARE(EnabledFilterControls(), QStringList());
      Type(single_tag::kScanningTimeout, "9");
    });
    QCOMPARE(state_.image.Field(kScanTimeout), 9u);
    QCOMPARE(state_.image.Byte(kFilterMethods.byte), before.Byte(kFilterMethods.byte));
    QCOMPARE(state_.image.Field(kFilteredTagType), before.Field(kFilteredTagType));
    QCOMPARE(Records(state_.image), Records(before));
  }

  // The Operation page's "Advanced" buttons open this dialog in the sheet the program builds.
  void operationPagesAdvancedButtonOpensTheDialog() {
    state_.image.SetBits(80, 0, 4, kScanModeMultiTag);
    Sheet(2);
    QStringList titles;
    SetDialogHandler([&](QDialog& d) {
      titles << d.windowTitle();
      return static_cast<int>(QDialog::Rejected);
    });
    Press("1068");
    QCOMPARE(titles, QStringList{"Multi-TAG Mode"});
  }

  // The promise of the dialog: opened and confirmed without an edit, it leaves
  // any image it could have written byte for byte, in every scan mode. Images
  // with both directions set, which it cannot write, are kept as well.
  void unchangedOkKeepsEveryFilterTheDialogWrites() {
    std::mt19937 rng(12);
    int round = 0;
    for (const TagType& type : kTagTypes) {
      for (FilterType filter_type :
           {FilterType::kDisableFilter, FilterType::kIncludeEpc, FilterType::kExcludeEpc}) {
        for (FilterMethod method :
             {FilterMethod::kFilterValue, FilterMethod::kFirstField, FilterMethod::kSecondField}) {
          for (int i = 0; i < 8; ++i, ++round) {
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
            QVERIFY2(state_.image == written, qPrintable(QString::number(round)));
          }
        }
      }
    }
  }

  void scanControlsFollowThePendingScanMode() {
    const auto scan_controls = [this] {
      return Enabled({single_tag::kScanningTimeout, single_tag::kScanningTimeoutSpin,
                      single_tag::kDelay, single_tag::kMultiTagCount, single_tag::kCounterLimit,
                      single_tag::kCounterLimitSpin, single_tag::kWarnAtLimit})
          .size();
    };
    state_.beeper_on = true;
    Dialog([&] { QCOMPARE(scan_controls(), 2); }, false);
    state_.pending_scan_mode = kScanModeTest;
    Dialog([&] { QCOMPARE(scan_controls(), 7); }, false);

    // Multi-TAG Mode with the beeper off: the warning is shown as stored but
    // cannot be changed, and OK writes it back; bit 1 of byte 83 is cleared.
    state_.pending_scan_mode = kScanModeMultiTag;
    state_.beeper_on = false;
    state_.image.SetByte(80, 0xA7);  // a delay the list does not have
    state_.image.SetByte(83, 0xF3);
    Dialog([&] {
      QCOMPARE(scan_controls(), 4);
      QVERIFY(Checked(single_tag::kWarnAtLimit));
      Type(single_tag::kCounterLimit, "200");
      QCOMPARE(Text(single_tag::kCounterLimit), "128");
    });
    QCOMPARE(state_.image.Byte(80), 0xA7);
    QCOMPARE(state_.image.Byte(82), 128);
    QCOMPARE(state_.image.Byte(83), 0xF1);

    state_.beeper_on = true;
    Dialog([&] {
      Press(single_tag::kWarnAtLimit);
      Choose(single_tag::kDelay, "5000ms");
      On<QLineEdit>(single_tag::kScanningTimeout)->setText("300");  // disabled, still corrected
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
      Choose(single_tag::kFilterType, "Disable Filter");
      QCOMPARE(EnabledFilterControls(), QStringList());
    });
    QCOMPARE(state_.image.Byte(89), 0xC0);
    QCOMPARE(Records(state_.image), Records(included));

    // "Include EPC" over a stored exclude filter clears the exclude code and
    // writes the include record alone.
    StoreFilter(Filter(FilterType::kExcludeEpc, FilterMethod::kFirstField, 0x30, "123456"),
                state_.image);
    const SettingsImage excluded = state_.image;
    Dialog([&] {
      QCOMPARE(Text(single_tag::kPattern1), "123456");
      Choose(single_tag::kFilterType, "Include EPC");
      QCOMPARE(Text(single_tag::kPattern1), "");
      Type(single_tag::kPattern1, "0614141");
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
      Choose(single_tag::kTagType, "GID-96");
      QVERIFY(Checked(single_tag::kByFirstField));
      QCOMPARE(EnabledFilterControls(),
               QStringList({single_tag::kTagType, single_tag::kByFirstField,
                            single_tag::kBySecondField, single_tag::kPattern1}));
      Type(single_tag::kPattern1, "123456789012");
      QCOMPARE(Text(single_tag::kPattern1), "123456789");
      // A change of Filter Type enables the radio again; it writes GID-96's zero-length filter.
      Choose(single_tag::kFilterType, "Exclude EPC");
      Press(single_tag::kByFilterValue);
    });
    QCOMPARE(state_.image.Byte(89) & 0x0F, 0x04);
    QCOMPARE(state_.image.Byte(211), 0x35);
    QCOMPARE(BytesAt(state_.image, kExcludePointer, 36),
             (std::vector<std::uint8_t>{0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // Opened on it, that filter keeps its radio, which cannot be chosen again.
    const SettingsImage zero_length = state_.image;
    Dialog([&] {
      QVERIFY(Checked(single_tag::kByFilterValue) && !On(single_tag::kByFilterValue)->isEnabled());
    });
    QCOMPARE(state_.image, zero_length);
  }

  void tagTypeListOffersTheEnabledTypes() {
    // The stored type is not offered: the fourth entry is taken.
    state_.image.SetBit(kMaskWord, 8, false);
    StoreFilter(Filter(FilterType::kIncludeEpc, FilterMethod::kFirstField, 0x35, "5"),
                state_.image);
    Dialog([&] { QCOMPARE(On<QComboBox>(single_tag::kTagType)->count(), 14); });
    QCOMPARE(state_.image.Byte(211), 0x30);

    // Fewer than four entries and the stored type not among them: none is
    // selected, and OK keeps byte 211 and the records.
    state_.image.SetWord16(kMaskWord, 0x0003);
    const SettingsImage before = state_.image;
    Dialog([&] { QCOMPARE(On<QComboBox>(single_tag::kTagType)->currentIndex(), -1); });
    QCOMPARE(state_.image, before);
  }

  void patternLimitsFollowTheTypeAndTheDigitCount() {
    state_.image.SetBits(89, 0, 4, 1);  // include, SGTIN-96 company prefix
    Dialog([&] {
      Press(single_tag::kBySecondField);
      Type(single_tag::kDigitCount, "7");
      Type(single_tag::kPattern1, "123456789");
      QCOMPARE(Text(single_tag::kPattern1), "1234567");
      // A count limits typing but does not cut what is there.
      Type(single_tag::kDigitCount, "3");
      QCOMPARE(Text(single_tag::kPattern1), "1234567");
      Type(single_tag::kPattern2, "98765");
      QCOMPARE(Text(single_tag::kPattern2), "987");
      Type(single_tag::kDigitCount, "6");
      Type(single_tag::kPattern1, "12345");
      Type(single_tag::kPattern2, "");
    });
    QCOMPARE(BytesAt(state_.image, kIncludePointer, 7),
             (std::vector<std::uint8_t>{0, 38, 0, 20, 0x03, 0x03, 0x90}));

    Dialog([&] {
      Choose(single_tag::kTagType, "ADI-var");
      QCOMPARE(Text(single_tag::kDigitCount), "");
      Type(single_tag::kPattern1, QString(40, QLatin1Char('a')));
      QCOMPARE(Text(single_tag::kPattern1), QString(32, QLatin1Char('A')));  // capitals, key by key
      Choose(single_tag::kTagType, "GIAI-202");
      Type(single_tag::kPattern1, "ab");
      QCOMPARE(Text(single_tag::kPattern1), "ab");
    });
    QCOMPARE(state_.image.Byte(211), 0x38);
  }

  // A field that compares a number takes digits, and no more than its bits
  // hold; a count changed afterwards cannot make OK store another number.
  void decimalFieldsTakeDigitsThatFitTheirBits() {
    state_.image.SetBits(89, 0, 4, 1);  // include, SGTIN-96 company prefix
    Dialog([&] {
      Type(single_tag::kPattern1, "-12AB34");
      QCOMPARE(Text(single_tag::kPattern1), "1234");
      Choose(single_tag::kTagType, "GID-96");
      Type(single_tag::kPattern1, "999999999");  // 28 bits hold 268435455
      QCOMPARE(Text(single_tag::kPattern1), "99999999");
      Choose(single_tag::kTagType, "SGTIN-96");
      Press(single_tag::kBySecondField);
      Type(single_tag::kPattern1, "1234");  // no count: one digit's four bits
      QCOMPARE(Text(single_tag::kPattern1), "12");
    });
    QCOMPARE(LoadFilter(state_.image, state_.image.Byte(211)).choice.pattern1, "12");

    SettingsImage before = state_.image;
    Dialog([&] {
      Type(single_tag::kDigitCount, "7");
      Type(single_tag::kPattern1, "9999999");
      QCOMPARE(Text(single_tag::kPattern1), "9999999");
      Type(single_tag::kDigitCount, "2");  // seven bits
      Type(single_tag::kScanningTimeout, "5");
    });
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.front().startsWith("Error: Pattern1 is too large"),
             qPrintable(messages_.front()));
    // The refused OK handed over the scan timing alone.
    before.SetByte(81, 5);
    QCOMPARE(state_.image, before);
  }

  // Opened on "Disable Filter", the dialog still limits the patterns by the
  // TAG type once a filter is chosen; nothing is stored past what the scheme
  // compares, and a short CAGE code comes back as it was typed.
  void patternLimitsFollowTheTypeAfterTheFilterIsSwitchedOn() {
    state_.image.SetByte(211, TagTypeOf(Scheme::kAdiVar).header);
    Dialog([&] {
      Choose(single_tag::kFilterType, "Include EPC");
      QCOMPARE(Text(single_tag::kDigitRange), "(1~32 digits/characters)");
      Type(single_tag::kPattern1, "ABCDEFGH");
      QCOMPARE(Text(single_tag::kPattern1), "ABCDEF");
    });
    QCOMPARE(LoadFilter(state_.image, state_.image.Byte(211)).choice.pattern1, "ABCDEF");

    Dialog([&] {
      Choose(single_tag::kFilterType, "Exclude EPC");
      Type(single_tag::kPattern1, "1abcd");
    });
    Dialog([&] { QCOMPARE(Text(single_tag::kPattern1), "1ABCD"); });

    state_.image = SettingsImage();
    New(state_);
    state_.image.SetByte(211, TagTypeOf(Scheme::kDod96).header);
    Dialog([&] {
      Choose(single_tag::kFilterType, "Include EPC");
      Type(single_tag::kPattern1, "ABCDEFGHIJ");
      QCOMPARE(Text(single_tag::kPattern1), "ABCDEF");
    });
    QCOMPARE(BytesAt(state_.image, kIncludePointer + 4, 8),
             (std::vector<std::uint8_t>{'A', 'B', 'C', 'D', 'E', 'F', 0, 0}));
  }

  // A stored filter value the list has no entry for: no selection, kept on OK.
  void aFilterValueTheListLacksShowsNothingAndIsKept() {
    StoreFilter(Filter(FilterType::kIncludeEpc, FilterMethod::kFilterValue, 0x30, "", {}, 3),
                state_.image);
    state_.image.SetByte(kIncludePointer + 3, 8);  // eight bits compared: value 0x60 = 96
    const SettingsImage before = state_.image;
    Dialog([&] {
      QVERIFY(Checked(single_tag::kByFilterValue));
      QCOMPARE(On<QComboBox>(single_tag::kFilterValue)->currentIndex(), -1);
      Type(single_tag::kScanningTimeout, "7");
    });
    QCOMPARE(Records(state_.image), Records(before));
    QCOMPARE(state_.image.Byte(89), before.Byte(89));
  }

  // A record the dialog would write differently (another tool's, or a method
  // code it has no radio for) is kept byte for byte by an OK without edits,
  // when its TAG type is offered.
  void unchangedOkKeepsAForeignFilter() {
    std::mt19937 rng(18);
    for (int round = 0; round < 40; ++round) {
      state_.image = k470::testing::RandomImage(rng);
      state_.image.SetBits(89, 2 * (round % 2), 2, 3);
      const TagType& type = kTagTypes[rng() % kTagTypes.size()];
      state_.image.SetBit(kMaskWord, SchemeIndex(type.scheme), true);
      state_.image.SetByte(211, type.header);
      const SettingsImage written = state_.image;
      Dialog([] {});
      QVERIFY2(Records(state_.image) == Records(written), qPrintable(QString::number(round)));
      QCOMPARE(state_.image.Byte(89), written.Byte(89));
      QCOMPARE(state_.image.Byte(211), written.Byte(211));
    }
  }

  void methodRadiosClearTheTextsAndCancelWritesNothing() {
    StoreFilter(Filter(FilterType::kExcludeEpc, FilterMethod::kSecondField, 0x2F, "42", 2u),
                state_.image);
    const SettingsImage before = state_.image;
    Dialog(
        [&] {
          Press(single_tag::kByFilterValue);
          QCOMPARE(Text(single_tag::kPattern1), "");
          QCOMPARE(Text(single_tag::kDigitCount), "");
          Press(single_tag::kByFirstField);
          Type(single_tag::kPattern1, "ABCDEFGH");
          QCOMPARE(Text(single_tag::kPattern1), "ABCDEF");
          Choose(single_tag::kFilterType, "Include EPC");
        },
        false);
    QCOMPARE(state_.image, before);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::TagFilterPagesTest)
#include "tagfilter_pages_test.moc"
