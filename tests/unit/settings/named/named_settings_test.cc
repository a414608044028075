// The settings as named fields: export and import are each other's inverse,
// every field has its label, the bytes listed as unedited really are, diff
// names what differs; an export edited in one place imports to exactly that
// change, under every interface, or is refused naming the key that would not
// stand, and stored codes no list offers come back as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "core/defaults.h"
#include "settings/named/setting_labels.h"
#include "settings/named/settings_json.h"
#include "settings/operation/operation_lists.h"
#include "settings/system/event_strings.h"
#include "settings/system/interface_options.h"
#include "settings/system/interface_selection.h"
#include "settings/system/system_fields.h"
#include "settings/tagfilter/decimal_fields.h"
#include "settings/tagfilter/filter_dialog_view.h"
#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/scan_settings.h"
#include "tests/support/filter_choices.h"
#include "tests/support/generated_images.h"

namespace k470 {
namespace {

using testing::DefaultImage;
using testing::GeneratedImage;

std::map<std::string, Json> NamedLeaves(const SettingsImage& image) {
  std::map<std::string, Json> named;
  for (auto& [path, value] : SettingLeaves(ShowSettings(image))) {
    if (!path.starts_with("unedited_bytes.")) named[path] = value;
  }
  return named;
}

TEST(NamedSettings, ImportOfExportGivesEveryImageBackByteForByte) {
  std::mt19937 rng(14);
  for (int i = 0; i < 200; ++i) {
    const SettingsImage image = GeneratedImage(rng, i);
    // Through JSON text, as a file carries it: Latin-1 texts become UTF-8 and back.
    const Json text = Json::parse(ShowSettings(image).dump());
    ASSERT_EQ(ImportSettings(text).image, image) << text.dump(1);
  }
}

TEST(NamedSettings, EveryFieldHasItsLabelAndEveryLabelIsShownUnderSomeInterface) {
  std::mt19937 rng(15);
  std::map<std::string, bool> shown;
  for (int i = 0; i < 40; ++i) {
    const SettingsImage image = GeneratedImage(rng, i);
    for (const auto& [path, value] : NamedLeaves(image)) {
      EXPECT_NE(FindSettingLabel(path), nullptr) << path;
      shown[path] = true;
    }
  }
  for (const SettingLabel& label : SettingLabels()) {
    EXPECT_TRUE(shown.contains(std::string(label.path))) << label.path;
  }
}

// A byte listed as unedited must change no named field; and every byte of the
// image is either in a run or read by some field.
TEST(NamedSettings, UneditedBytesAreReadByNoField) {
  std::mt19937 rng(16);
  for (int i = 0; i < 20; ++i) {
    const SettingsImage image = GeneratedImage(rng, i);
    const auto named = NamedLeaves(image);
    for (const ByteRun& run : UneditedByteRuns()) {
      SettingsImage changed = image;
      for (std::size_t b = run.offset; b < run.offset + run.length; ++b) {
        changed.SetByte(b, static_cast<std::uint8_t>(rng()));
      }
      ASSERT_EQ(NamedLeaves(changed), named) << "run at " << run.offset;
    }
  }
}

constexpr std::array<SelectedInterface, 4> kInterfaces = {
    SelectedInterface::kBluetoothSpp, SelectedInterface::kBluetoothHid,
    SelectedInterface::kM912Vcom, SelectedInterface::kM912Hid};

Json::json_pointer PointerOf(const std::string& path) {
  std::string pointer = "/" + path;
  std::replace(pointer.begin(), pointer.end(), '.', '/');
  return Json::json_pointer(pointer);
}

ImportResult ImportPatched(const SettingsImage& from, const Json& patch) {
  Json in = ShowSettings(from);
  in.merge_patch(patch);
  return ImportSettings(in);
}

// The image `patch` makes of `from`; a refusal fails the test.
SettingsImage Imported(const SettingsImage& from, const Json& patch) {
  const ImportResult result = ImportPatched(from, patch);
  EXPECT_TRUE(result.image) << result.refusal.text;
  return result.image.value_or(from);
}

// The factory defaults; and a second-field filter on with the beeper off, so
// the filter's texts and the disabled Volume list are edited too.
std::vector<SettingsImage> Bases(SelectedInterface interface) {
  SettingsImage defaults = testing::DefaultImage();
  EncodeSelectedInterface(interface, defaults);
  if (interface == SelectedInterface::kM912Hid) EnsureM912KeyboardType(defaults);
  const SettingsImage filtering = Imported(defaults, {{"system", {{"system_beeper", false}}},
                                                      {"epc_filter",
                                                       {{"filter_type", "Include EPC"},
                                                        {"method", "By item reference"},
                                                        {"pattern1", "0001234"},
                                                        {"pattern2", "0001299"},
                                                        {"digits", "7"}}}});
  return {defaults, filtering};
}

std::vector<Json> Texts(std::span<const ListEntry> list) {
  std::vector<Json> texts;
  for (const ListEntry& e : list) texts.emplace_back(std::string(e.text));
  return texts;
}

// Valid values of every setting whose values are not true/false or numbers.
std::vector<Json> Candidates(const std::string& path, SelectedInterface interface) {
  static const std::map<std::string, std::vector<Json>> kValues = {
      {"interface", {kInterfaceNames.begin(), kInterfaceNames.end()}},
      {"system.volume", Texts(VolumeList())},
      {"system.beep_frequency", Texts(BeepFrequencyList())},
      {"system.beep_duration", Texts(BeepDurationList())},
      {"system.rfid_power", Texts(PowerLevelList())},
      {"action", Texts(EventActionList())},
      {"text", {"AB", "CD"}},
      {"interface_options.caps_lock_state", Texts(CapsLockStateList())},
      {"interface_options.caps_lock_type", Texts(CapsLockTypeList())},
      {"interface_options.character_transmit_mode", Texts(TransmitModeList())},
      {"interface_options.keyboard_layout", Texts(KeyboardLayoutList())},
      {"interface_options.alphabets_transmission", Texts(AlphabetsList())},
      {"interface_options.digits_transmission", Texts(DigitsTransmissionList())},
      {"interface_options.digits_position", Texts(DigitsPositionList())},
      {"interface_options.pin_code", {"4321", "1234"}},
      {"interface_options.m912_serial_number", {"123456789", "987654321"}},
      {"tag_types", {Json::array({"SGTIN-96", "GID-96"}), Json::array({"SGTIN-96"})}},
      {"operation.scan_mode", {"Multi-TAG Mode", "Test Mode"}},
      {"operation.memory_data_transmit_delay", Texts(kDelayList)},
      {"operation.transmit_delay", Texts(kDelayList)},
      {"operation.output_sequence", Texts(kOutputSequenceList)},
      {"counter.left_padding_character", Texts(kLeftPaddingList)},
      {"timestamp.format", Texts(kTimestampFormatList)},
      {"timestamp.date_format", Texts(kDateFormatList)},
      {"timestamp.time_format", Texts(kTimeFormatList)},
      {"timestamp.field_separator", Texts(kFieldSeparatorList)},
      {"key_sequences", {{{"bytes", "41"}}, {{"bytes", "42"}}}},
      {"epc_tag.data_fields", {"Length", "CRC", ""}},
      {"epc_tag.delimiter", {",", "."}},
      {"single_tag_mode.delay_between_scans", Texts(kScanDelayList)},
      {"epc_filter.filter_type", Texts(kFilterTypeList)},
      {"epc_filter.tag_type", {"SSCC-96", "SGTIN-96"}},
      {"epc_filter.method", {"By EPC Filter Value", "By GS1 company prefix", "By item reference"}},
      {"epc_filter.pattern1", {"0004321", "0001234"}},
      {"epc_filter.pattern2", {"0004399", "0001299"}},
      {"epc_filter.digits", {"6", "7"}},
  };
  if (path == "interface_options.keyboard_type") return Texts(KeyboardTypeList(interface));
  if (path == "operation.data_format") return Texts(DataFormatList(interface));
  if (path == "epc_filter.filter_value") {
    std::vector<Json> texts;
    for (const FilterValueEntry& e : FilterValueEntries(kHeaderSgtin96)) texts.push_back(e.text);
    return texts;
  }
  for (const std::string& key :
       {path, path.substr(0, path.rfind('.')), path.substr(path.rfind('.') + 1)}) {
    if (kValues.contains(key)) return kValues.at(key);
  }
  return {};
}

// Another valid value than `shown`: the other truth value, a neighbouring number,
// or the first other candidate.
Json OtherValue(const std::string& path, const Json& shown, SelectedInterface interface) {
  if (shown.is_boolean()) return !shown.get<bool>();
  if (shown.is_number()) return shown.get<int>() > 1 ? shown.get<int>() - 1 : shown.get<int>() + 1;
  for (const Json& v : Candidates(path, interface)) {
    if (v != shown && !(shown.contains("bytes") && v["bytes"] == shown["bytes"])) return v;
  }
  ADD_FAILURE() << "no other value for " << path << " " << shown.dump();
  return shown;
}

// An edit that cannot stand alone is refused naming the edited key or one of
// these: what the edit would change besides, which the JSON still gives.
const std::multimap<std::string, std::string> kNeeds = {
    {"interface", "operation.data_format"},             // Packet Data under a keyboard interface
    {"system.system_beeper", "system.volume"},          // a volume kept only while on
    {"epc_filter.filter_type", "epc_filter.method"},    // a filter disabled keeps no texts
    {"epc_filter.filter_type", "epc_filter.pattern1"},  // an empty pattern stored as zeros
    {"epc_filter.filter_type", "epc_filter.pattern2"},
    {"epc_filter.filter_type", "epc_filter.digits"},
    {"epc_filter.tag_type", "epc_filter.method"},  // another scheme's captions
    {"epc_filter.tag_type", "epc_filter.pattern1"},
    {"epc_filter.tag_type", "epc_filter.digits"},
    {"epc_filter.method", "epc_filter.pattern1"},  // another field's width
    {"epc_filter.method", "epc_filter.pattern2"},
    {"epc_filter.method", "epc_filter.digits"},
    {"epc_filter.method", "epc_filter.filter_value"},
    {"epc_filter.digits", "epc_filter.pattern1"},  // the width follows the digit count
    {"epc_filter.digits", "epc_filter.pattern2"},
};

bool Needs(const std::string& edited, const std::string& refused) {
  if (edited == refused) return true;
  const auto [first, last] = kNeeds.equal_range(edited);
  return std::any_of(first, last, [&](const auto& n) { return n.second == refused; });
}

bool IsOptionOrKeyReading(const std::string& field) {
  return field.starts_with("interface_options.") || field.starts_with("key_sequences.");
}

TEST(NamedImport, AnExportEditedInOnePlaceImportsToThatOneChangeOrIsRefusedNamingTheKey) {
  int taken = 0;
  int refused = 0;
  for (const SelectedInterface interface : kInterfaces) {
    for (const SettingsImage& before : Bases(interface)) {
      const Json shown = ShowSettings(before);
      for (const auto& [path, value] : SettingLeaves(shown)) {
        if (path.starts_with("unedited_bytes.")) continue;
        const Json other = OtherValue(path, value, interface);
        Json in = shown;
        in[PointerOf(path)] = other;
        const std::string what = std::string(kInterfaceNames[static_cast<int>(interface)]) + ": " +
                                 path + " = " + other.dump();
        const ImportResult result = ImportSettings(in);
        if (!result.image) {
          ++refused;
          EXPECT_TRUE(Needs(path, result.refusal.key))
              << what << " refused: " << result.refusal.text;
          continue;
        }
        ++taken;
        const auto diffs = DiffSettings(before, *result.image);
        ASSERT_FALSE(diffs.empty()) << what << " changed nothing";
        EXPECT_EQ(diffs.front().field, path) << what;
        const Json& b = diffs.front().b;
        EXPECT_TRUE(b == other || (b.contains("bytes") && b["bytes"].get<std::string>().starts_with(
                                                              other["bytes"].get<std::string>())))
            << what << " shows " << b.dump();
        for (std::size_t i = 1; i < diffs.size(); ++i) {
          // Another interface shows other options and reads key sequences its own way.
          EXPECT_TRUE(path == "interface" && IsOptionOrKeyReading(diffs[i].field))
              << what << " also changed " << diffs[i].field;
        }
      }
    }
  }
  // Most edits stand alone; a sweep that refused everything would prove nothing.
  EXPECT_GT(taken, 5 * refused) << taken << " taken, " << refused << " refused";
}

std::string RefusalOf(const SettingsImage& from, const Json& patch) {
  const ImportResult result = ImportPatched(from, patch);
  return result.image ? "taken" : result.refusal.text;
}

// One value edited in an export of `from`: refused, naming the key and, where
// given, why.
TEST(NamedImport, ImportRefusesWhatTheSheetCouldNotTakeAndSaysWhy) {
  const SettingsImage defaults = DefaultImage();
  SettingsImage hid = defaults;
  EncodeSelectedInterface(SelectedInterface::kBluetoothHid, hid);
  const SettingsImage quiet = Imported(defaults, {{"system", {{"system_beeper", false}}}});
  const SettingsImage sgtin = Imported(defaults, {{"tag_types", {"SGTIN-96"}}});
  const SettingsImage filtering = Imported(
      defaults, {{"epc_filter", {{"filter_type", "Include EPC"}, {"pattern1", "001234"}}}});
  const SettingsImage second = Imported(filtering, {{"epc_filter",
                                                     {{"method", "By item reference"},
                                                      {"digits", "7"},
                                                      {"pattern1", "0001234"},
                                                      {"pattern2", "0001299"}}}});
  SettingsImage unknown_type = Imported(filtering, {{"tag_types", {"SGTIN-96", "GID-96"}}});
  unknown_type.SetField(kFilteredTagType, 0x2C);  // GDTI-96, not enabled
  SettingsImage both_ways = defaults;
  both_ways.SetField(kFilterMethods, 0b1001);  // include by first field, exclude by second
  const std::string packet_data =
      "operation.data_format: Packet Data is not offered under Bluetooth HID";
  const struct {
    const SettingsImage& from;
    std::string path;
    Json value;
    std::string refusal = "";  // how the refusal begins, when not with "<path>: "
  } cases[] = {
      {defaults, "colour", "red"},
      {defaults, "system.loudness", 3},
      {defaults, "system.volume", "Loud"},
      {defaults, "system.volume", {{"unknown_code", 0}}},
      {defaults, "system.shutdown_timeout", 255},
      {defaults, "system.led_duration", "4"},
      {defaults, "system.event_strings.string_1.text", "#@TRIGGERON"},
      {defaults, "system.event_strings.string_3.text", "\xE2\x82\xAC"},
      {defaults, "interface_options.pin_code", "1234567890123456"},
      {defaults, "interface_options.keyboard_layout", "AZERTY"},
      {defaults, "tag_types", Json::array({"SGTIN-97"})},
      {defaults, "operation.output_sequence.first", "EPC Tag"},
      {defaults,
       "operation.output_sequence",
       {{"first", "Disable"}, {"second", "Disable"}, {"third", "Disable"}}},
      {defaults,
       "key_sequences.epc_prefix",
       {{"bytes", "0d0d0d0d0d0d0d0d0d"}},
       "key_sequences.epc_prefix.bytes: "},
      {defaults,
       "key_sequences.epc_prefix",
       {{"text", "[LF]"}, {"bytes", "0d"}},
       "key_sequences.epc_prefix.text: "},
      {defaults, "epc_tag.data_fields.field_4", "PC"},
      {sgtin, "epc_filter.tag_type", "SGTIN-198"},
      {defaults, "image", "00"},
      {both_ways, "epc_filter.filter_type", {{"unknown_code", 5}}},
      {defaults, "interface", "Bluetooth HID", packet_data},
      {hid, "operation.data_format", "Packet Data", packet_data},
      {quiet, "system.volume", "Low",
       "system.volume: \"Low\" is not kept while system_beeper is false"},
      {filtering, "epc_filter.pattern2", "99",
       "epc_filter.pattern2: \"By GS1 company prefix\" does not use pattern2"},
      {filtering, "epc_filter.digits", "5",
       "epc_filter.digits: \"By GS1 company prefix\" does not use digits"},
      {defaults, "epc_filter.pattern1", "1234",
       "epc_filter.pattern1: the filter is not stored while filter_type is \"Disable Filter\""},
      {unknown_type, "epc_filter.pattern1", "4321", "epc_filter.pattern1: the TAG type is unknown"},
      {defaults, "epc_filter.filter_type", "Include EPC",
       "epc_filter.pattern1: the sheet does not keep this value; it stays \"000000\""},
      // A decimal filter field takes only digits that fit its bits.
      {filtering, "epc_filter.pattern1", "AB"},
      {filtering, "epc_filter.pattern1", "-1"},
      {filtering, "epc_filter.pattern1", "99999999999999999999"},
      {filtering, "epc_filter.pattern1", "12 4"},
      {second, "epc_filter.pattern2", "12x", "epc_filter.pattern2: must be decimal digits only"},
  };
  for (const auto& c : cases) {
    Json in = ShowSettings(c.from);
    in[PointerOf(c.path)] = c.value;
    const ImportResult result = ImportSettings(in);
    EXPECT_FALSE(result.image) << c.path << " was taken";
    EXPECT_TRUE(result.refusal.text.starts_with(c.refusal.empty() ? c.path + ": " : c.refusal))
        << result.refusal.text;
  }
  EXPECT_EQ(RefusalOf(filtering, {{"epc_filter", {{"pattern1", "000000123456"}}}}), "taken");
  // The largest number 64 bits hold, and one past it.
  EXPECT_EQ(DecimalPatternError("18446744073709551615", 64), std::nullopt);
  EXPECT_NE(DecimalPatternError("18446744073709551616", 64), std::nullopt);
}

// An export of one interface, its options left in, changed to another.
TEST(NamedImport, AChangeOfInterfaceTakesItsOptions) {
  const SettingsImage spp = testing::DefaultImage();
  const SettingsImage hid = Imported(
      spp, {{"interface", "Bluetooth HID"}, {"operation", {{"data_format", "Hexadecimal"}}}});
  EXPECT_EQ(ShowSettings(hid)["interface"], "Bluetooth HID");
  EXPECT_EQ(ShowSettings(hid)["operation"]["data_format"], "Hexadecimal");
  const SettingsImage back = Imported(
      hid, {{"interface", "Bluetooth SPP Slave"}, {"operation", {{"data_format", "Packet Data"}}}});
  EXPECT_EQ(back, spp);
  const SettingsImage m912 = Imported(
      hid, {{"interface", "M912 VCOM"}, {"interface_options", {{"m912_serial_number", "12"}}}});
  EXPECT_EQ(ShowSettings(m912)["interface_options"]["m912_serial_number"], "12");
  // An option of the old interface that was edited has nowhere to go.
  EXPECT_EQ(RefusalOf(hid, {{"interface", "M912 VCOM"},
                            {"interface_options", {{"keyboard_layout", "AZERTY"}}}}),
            "interface_options.keyboard_layout: not a setting of the M912 VCOM interface");
}

// Codes no list entry stands for: the interface code of no radio, both
// filter directions on at once, a data format the serial interfaces lack.
TEST(NamedImport, CodesWithoutAnEntryShowAsUnknownAndAreKept) {
  SettingsImage image = testing::DefaultImage();
  image.SetField(kDataFormat, 3);  // no entry under Bluetooth SPP Slave
  EXPECT_EQ(ShowSettings(image)["operation"]["data_format"], Json({{"unknown_code", 3}}));
  image.SetField(kInterfaceCode, 2);
  image.SetField(kFilterMethods, 0b1001);  // include by first field, exclude by second
  const Json shown = ShowSettings(image);
  EXPECT_EQ(shown["interface"], Json({{"unknown_code", 2}}));
  EXPECT_EQ(shown["epc_filter"]["filter_type"], Json({{"unknown_code", 9}}));

  const SettingsImage louder = Imported(image, {{"system", {{"volume", "Low"}}}});
  EXPECT_EQ(louder.Field(kInterfaceCode), 2u);
  EXPECT_EQ(ShowSettings(louder)["interface"], Json({{"unknown_code", 2}}));
  EXPECT_EQ(louder.Field(kFilterMethods), 0b1001u);
}

TEST(NamedSettings, ImportWithoutAnImageStartsFromTheFactoryDefaults) {
  EXPECT_EQ(ImportSettings(Json::object()).image, DefaultImage());
  const std::optional<SettingsImage> image =
      ImportSettings({{"system", {{"volume", "Medium"}}}}).image;
  ASSERT_TRUE(image);
  EXPECT_EQ(NamedLeaves(*image).at("system.volume"), "Medium");
}

// Every named field is the edit sweep's; here the bytes no control shows: in
// an unedited run, the checksum, or a bit of a named byte that no field reads.
TEST(NamedSettings, DiffNamesTheBytesNoFieldShows) {
  const SettingsImage a = DefaultImage();
  EXPECT_TRUE(DiffSettings(a, a).empty());
  const std::size_t unedited = kExcludeRecord.pattern2 + kFilterPatternSize;
  const std::pair<ImageField, std::string> bits[] = {
      {{unedited, 1, 1}, "unedited_bytes."},
      {{kChecksumOffset, 1, 1}, "unedited_bytes." + std::to_string(kChecksumOffset)},
      {kCommandBeep, "byte." + std::to_string(kCommandBeep.byte)}};
  for (const auto& [field, first_field] : bits) {
    SettingsImage changed = a;
    changed.SetBit(field.byte, field.first_bit, !a.Bit(field.byte, field.first_bit));
    const auto diffs = DiffSettings(a, changed);
    ASSERT_FALSE(diffs.empty()) << field.byte;
    EXPECT_TRUE(diffs.front().field.starts_with(first_field)) << diffs.front().field;
    EXPECT_NE(diffs.front().a, diffs.front().b);
  }
}

TEST(NamedImport, TextThatIsNoJsonOrNestsTooDeepIsRefusedBeforeItIsBuilt) {
  std::string why;
  const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
  EXPECT_TRUE(ParseSettingsJson(nested(kMaxJsonDepth), why));
  EXPECT_FALSE(ParseSettingsJson(nested(kMaxJsonDepth + 1), why));
  EXPECT_EQ(why, "nests deeper than 64 levels");
  EXPECT_FALSE(ParseSettingsJson(std::string(1 << 20, '['), why));
  EXPECT_EQ(why, "nests deeper than 64 levels");
  EXPECT_FALSE(ParseSettingsJson("{\"system\": ", why));
  EXPECT_EQ(why, "is not valid JSON");
  EXPECT_EQ(ParseSettingsJson(R"({"system": {"volume": "Low"}})", why)->at("system")["volume"],
            "Low");
}

}  // namespace
}  // namespace k470
