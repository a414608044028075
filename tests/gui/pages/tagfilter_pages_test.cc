// The TAG Type page inside the real Device Settings sheet and the Single TAG
// Mode dialog, both driven by control name: what they show for an image, the
// rules that act before OK, and what OK and Cancel leave in the image. The
// bytes of each filter record are the codec's tests' to check, which
// controls a filter enables the rule table's: here the dialog hands the
// codec what was typed and applies the rule from each handler.
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
using enum FilterType;
using enum FilterMethod;

constexpr std::size_t kMaskWord = kTagTypeMask.byte;

FilterChoice Filter(FilterType type, FilterMethod method, std::uint8_t header,
                    std::string pattern1 = "", std::optional<unsigned> count = {},
                    std::optional<int> value = {}) {
  return {type, method, header, value, std::move(pattern1), "", count};
}

// `image` with `choice` stored as the codec stores it.
SettingsImage Stored(SettingsImage image, const FilterChoice& choice) {
  StoreFilter(choice, image);
  return image;
}

}  // namespace

class TagFilterPagesTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::uint16_t MaskWord() const { return state_.image.Word16(kMaskWord); }

  // Opens the dialog over the state; `user` plays the user while it is open,
  // then OK (or Cancel) closes it, and what it hands back is stored as the
  // Operation page stores it.
  void Dialog(std::function<void()> user, bool ok = true) {
    InDialogs(std::move(user), ok);
    if (const auto result = OpenSingleTagModeDialog(state_, nullptr)) {
      StoreSingleTagMode(*result, state_.image);
    }
  }
  QStringList EnabledFilterControls() {
    return Enabled({single_tag::kTagType, single_tag::kByFilterValue, single_tag::kByFirstField,
                    single_tag::kBySecondField, single_tag::kFilterValue, single_tag::kDigitCount,
                    single_tag::kDigitRange, single_tag::kPattern1, single_tag::kPattern2});
  }

 private slots:
  void init() { Reset(); }
  void cleanup() { TearDown(); }

  void tagTypeBoxesWriteTheWholeMaskAtOnceAndCancelOnTheirPageRestoresIt() {
    state_.image.SetWord16(kMaskWord, 0x9234);
    Sheet(1);
    Press(tag_ids::kDod96);
    QCOMPARE(MaskWord(), 0x9230);
    Press(tag_ids::kClearAll);
    QCOMPARE(MaskWord(), 0x8000);  // bit 15 is not the page's
    Press(tag_ids::kAdiVar);
    QCOMPARE(MaskWord(), 0xC000);
    Press(tag_ids::kSelectAll);
    QCOMPARE(MaskWord(), 0xFFFF);
    state_.image.SetField(kHiddenBit207, 0);  // nor does Cancel restore it
    Cancel();
    QCOMPARE(MaskWord(), 0x1234);

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
    state_.image = Stored(state_.image, Filter(kExcludeEpc, kFirstField, 0x2F, "ABC"));
    SettingsImage expected = state_.image;
    expected.SetField(kScanTimeout, 9);
    Dialog([&] {
      QCOMPARE(On<QComboBox>(single_tag::kTagType)->count(), 0);
      QVERIFY(!On(single_tag::kFilterType)->isEnabled());
      QVERIFY(!On(single_tag::kFilterType)->toolTip().isEmpty());
      QCOMPARE(EnabledFilterControls(), QStringList());
      Type(single_tag::kScanningTimeout, "9");
    });
    QCOMPARE(state_.image, expected);
  }

  // The promise of the dialog: opened and confirmed without an edit, it
  // leaves the image byte for byte, in every scan mode: any filter it could
  // have written, one with both directions set, which it cannot write, and a
  // record it would write differently (another tool's, or a method code it
  // has no radio for) when its TAG type is offered.
  void unchangedOkKeepsTheImage() {
    std::mt19937 rng(12);
    const int types = static_cast<int>(kTagTypes.size());
    // Every TAG type with every Filter Type and method twice, then foreign records.
    for (int round = 0; round < 18 * types + 30; ++round) {
      const TagType& type = kTagTypes[round % types];
      state_.image = k470::testing::RandomImage(rng);
      state_.image.SetByte(81, static_cast<std::uint8_t>(rng() % 255));
      state_.image.SetByte(82, static_cast<std::uint8_t>(rng() % 129));
      state_.image.SetBit(83, 1, false);
      state_.image.SetBit(kMaskWord, SchemeIndex(type.scheme), true);
      state_.image.SetByte(211, type.header);
      if (const int combination = round / types; combination < 18) {
        const auto filter_type =
            std::array{kDisableFilter, kIncludeEpc, kExcludeEpc}[combination % 3];
        const auto method =
            std::array{kFilterValue, kFirstField, kSecondField}[combination / 3 % 3];
        StoreFilter(k470::testing::GenerateChoice(rng, type, filter_type, method), state_.image);
        if (rng() % 8 == 0) {
          state_.image.SetBits(89, 0, 2, 1 + rng() % 3);
          state_.image.SetBits(89, 2, 2, 1 + rng() % 3);
        }
      } else {
        // Another tool's record: random bytes, one direction's method code without a radio.
        state_.image.SetBits(89, 2 * (round % 2), 2, 3);
      }
      state_.pending_scan_mode =
          std::array{kScanModeSingleTag, kScanModeMultiTag, kScanModeTest}[rng() % 3];
      state_.beeper_on = rng() % 2;
      const SettingsImage written = state_.image;
      Dialog([] {});
      QVERIFY2(state_.image == written, qPrintable(QString::number(round)));
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
    state_.image = Stored(state_.image, Filter(kIncludeEpc, kSecondField, 0x3B, "AB1"));
    state_.image.SetBits(89, 4, 4, 0xC);
    SettingsImage expected = state_.image;
    expected.SetByte(89, 0xC0);
    Dialog([&] {
      Choose(single_tag::kFilterType, "Disable Filter");
      QCOMPARE(EnabledFilterControls(), QStringList());
    });
    QCOMPARE(state_.image, expected);

    // "Include EPC" over a stored exclude filter clears the exclude code and
    // writes the include record alone.
    state_.image = Stored(state_.image, Filter(kExcludeEpc, kFirstField, 0x30, "123456"));
    expected = Stored(state_.image, Filter(kIncludeEpc, kFirstField, 0x30, "0614141"));
    Dialog([&] {
      QCOMPARE(Text(single_tag::kPattern1), "123456");
      Choose(single_tag::kFilterType, "Include EPC");
      QCOMPARE(Text(single_tag::kPattern1), "");
      Type(single_tag::kPattern1, "0614141");
    });
    QCOMPARE(state_.image, expected);
  }

  void gid96HasNoFilterValueRadioUntilTheFilterTypeChanges() {
    state_.image = Stored(state_.image, Filter(kIncludeEpc, kFilterValue, 0x30, "", {}, 3));
    const SettingsImage expected =
        Stored(state_.image, Filter(kExcludeEpc, kFilterValue, 0x35, "", {}, 0));
    Dialog([&] {
      Choose(single_tag::kTagType, "GID-96");
      QVERIFY(Checked(single_tag::kByFirstField));
      QCOMPARE(EnabledFilterControls(),
               QStringList({single_tag::kTagType, single_tag::kByFirstField,
                            single_tag::kBySecondField, single_tag::kPattern1}));
      TypeShows(single_tag::kPattern1, "123456789012", "123456789");
      // A change of Filter Type enables the radio again; it writes GID-96's zero-length filter.
      Choose(single_tag::kFilterType, "Exclude EPC");
      Press(single_tag::kByFilterValue);
    });
    QCOMPARE(state_.image, expected);

    // Opened on it, that filter keeps its radio, which cannot be chosen again.
    Dialog([&] {
      QVERIFY(Checked(single_tag::kByFilterValue) && !On(single_tag::kByFilterValue)->isEnabled());
    });
    QCOMPARE(state_.image, expected);
  }

  void tagTypeListOffersTheEnabledTypes() {
    // The stored type is not offered: the fourth entry is taken.
    state_.image.SetBit(kMaskWord, 8, false);
    state_.image = Stored(state_.image, Filter(kIncludeEpc, kFirstField, 0x35, "5"));
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
    const SettingsImage expected =
        Stored(state_.image, Filter(kIncludeEpc, kSecondField, 0x30, "12345", 6u));
    Dialog([&] {
      Press(single_tag::kBySecondField);
      Type(single_tag::kDigitCount, "7");
      TypeShows(single_tag::kPattern1, "123456789", "1234567");
      // A count limits typing but does not cut what is there.
      Type(single_tag::kDigitCount, "3");
      QCOMPARE(Text(single_tag::kPattern1), "1234567");
      TypeShows(single_tag::kPattern2, "98765", "987");
      Type(single_tag::kDigitCount, "6");
      Type(single_tag::kPattern1, "12345");
      Type(single_tag::kPattern2, "");
    });
    QCOMPARE(state_.image, expected);

    Dialog([&] {
      Choose(single_tag::kTagType, "ADI-var");
      QCOMPARE(Text(single_tag::kDigitCount), "");
      TypeShows(single_tag::kPattern1, QString(40, QLatin1Char('a')),
                QString(32, QLatin1Char('A')));  // capitals, key by key
      Choose(single_tag::kTagType, "GIAI-202");
      TypeShows(single_tag::kPattern1, "ab", "ab");
    });
    QCOMPARE(state_.image.Byte(211), 0x38);
  }

  // A field that compares a number takes digits, and no more than its bits
  // hold; a count changed afterwards cannot make OK store another number.
  void decimalFieldsTakeDigitsThatFitTheirBits() {
    state_.image.SetBits(89, 0, 4, 1);  // include, SGTIN-96 company prefix
    Dialog([&] {
      TypeShows(single_tag::kPattern1, "-12AB34", "1234");
      Choose(single_tag::kTagType, "GID-96");
      TypeShows(single_tag::kPattern1, "999999999", "99999999");  // 28 bits hold 268435455
      Choose(single_tag::kTagType, "SGTIN-96");
      Press(single_tag::kBySecondField);
      Type(single_tag::kPattern1, "1234");  // no count: one digit's four bits
    });
    QCOMPARE(LoadFilter(state_.image, state_.image.Byte(211)).choice.pattern1, "12");

    SettingsImage before = state_.image;
    Dialog([&] {
      Type(single_tag::kDigitCount, "7");
      TypeShows(single_tag::kPattern1, "9999999", "9999999");
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
  // TAG type once a filter is chosen.
  void patternLimitsFollowTheTypeAfterTheFilterIsSwitchedOn() {
    state_.image.SetByte(211, TagTypeOf(Scheme::kAdiVar).header);
    Dialog([&] {
      Choose(single_tag::kFilterType, "Include EPC");
      QCOMPARE(Text(single_tag::kDigitRange), "(1~32 digits/characters)");
      Type(single_tag::kPattern1, "ABCDEFGH");
    });
    QCOMPARE(LoadFilter(state_.image, state_.image.Byte(211)).choice.pattern1, "ABCDEF");
  }

  // A stored filter value the list has no entry for: no selection, kept on OK.
  void aFilterValueTheListLacksShowsNothingAndIsKept() {
    state_.image = Stored(state_.image, Filter(kIncludeEpc, kFilterValue, 0x30, "", {}, 3));
    state_.image.SetByte(kIncludeRecord.pointer + 3, 8);  // eight bits compared: value 0x60 = 96
    SettingsImage expected = state_.image;
    expected.SetField(kScanTimeout, 7);
    Dialog([&] {
      QVERIFY(Checked(single_tag::kByFilterValue));
      QCOMPARE(On<QComboBox>(single_tag::kFilterValue)->currentIndex(), -1);
      Type(single_tag::kScanningTimeout, "7");
    });
    QCOMPARE(state_.image, expected);
  }

  void methodRadiosClearTheTextsAndCancelWritesNothing() {
    state_.image = Stored(state_.image, Filter(kExcludeEpc, kSecondField, 0x2F, "42", 2u));
    const SettingsImage before = state_.image;
    Dialog(
        [&] {
          Press(single_tag::kByFilterValue);
          QCOMPARE(Text(single_tag::kPattern1), "");
          QCOMPARE(Text(single_tag::kDigitCount), "");
          Press(single_tag::kByFirstField);
          TypeShows(single_tag::kPattern1, "ABCDEFGH", "ABCDEF");
          Choose(single_tag::kFilterType, "Include EPC");
        },
        false);
    QCOMPARE(state_.image, before);
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::TagFilterPagesTest)
#include "tagfilter_pages_test.moc"
