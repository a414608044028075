// The settings as named fields: export and import are each other's inverse,
// every field has its label, the bytes listed as unedited really are, import
// refuses what the sheet could not take, and diff names what differs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "core/defaults.h"
#include "settings/named/setting_labels.h"
#include "settings/named/settings_json.h"
#include "settings/system/interface_selection.h"
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

struct Edit {
  const char* path;
  Json value;
};

Json WithEdit(Json j, const Edit& e) {
  std::string pointer = "/";  // appended: "/" + a temporary trips mingw GCC 12's -Wrestrict
  pointer += e.path;
  std::replace(pointer.begin(), pointer.end(), '.', '/');
  j[Json::json_pointer(pointer)] = e.value;
  return j;
}

TEST(NamedSettings, ImportRefusesWhatTheSheetCouldNotTakeNamingTheKey) {
  const Json shown = ShowSettings(DefaultImage());
  const std::vector<std::pair<Edit, std::string>> refused = {
      {{"colour", "red"}, "colour"},
      {{"system.loudness", 3}, "system.loudness"},
      {{"system.volume", "Loud"}, "system.volume"},
      {{"system.volume", {{"unknown_code", 0}}}, "system.volume"},
      {{"system.shutdown_timeout", 255}, "system.shutdown_timeout"},
      {{"system.led_duration", "4"}, "system.led_duration"},
      {{"system.event_strings.string_1.text", "#@TRIGGERON"}, "system.event_strings.string_1.text"},
      {{"system.event_strings.string_3.text", "\xE2\x82\xAC"},
       "system.event_strings.string_3.text"},
      {{"interface_options.pin_code", "1234567890123456"}, "interface_options.pin_code"},
      {{"interface_options.keyboard_layout", "AZERTY"}, "interface_options.keyboard_layout"},
      {{"tag_types", Json::array({"SGTIN-97"})}, "tag_types"},
      {{"operation.output_sequence.first", "EPC Tag"}, "operation.output_sequence.first"},
      {{"key_sequences.epc_prefix", {{"bytes", "0d0d0d0d0d0d0d0d0d"}}},
       "key_sequences.epc_prefix.bytes"},
      {{"key_sequences.epc_prefix", {{"text", "[LF]"}, {"bytes", "0d"}}},
       "key_sequences.epc_prefix.text"},
      {{"epc_tag.data_fields.field_4", "PC"}, "epc_tag.data_fields.field_4"},
      {{"epc_filter.tag_type", "SGTIN-198"}, "epc_filter.tag_type"},
      {{"image", "00"}, "image"},
  };
  for (const auto& [edit, key] : refused) {
    Json in = shown;
    if (std::string(edit.path) == "epc_filter.tag_type") in["tag_types"] = {"SGTIN-96"};
    in = WithEdit(in, edit);
    const ImportResult result = ImportSettings(in);
    EXPECT_FALSE(result.image) << edit.path << " was taken";
    EXPECT_EQ(result.refusal.key, key) << result.refusal.text;
  }
  Json all_off = shown;
  for (const char* k : {"first", "second", "third"})
    all_off["operation"]["output_sequence"][k] = "Disable";
  EXPECT_FALSE(ImportSettings(all_off).image);
}

TEST(NamedSettings, ImportWithoutAnImageStartsFromTheFactoryDefaults) {
  EXPECT_EQ(ImportSettings(Json::object()).image, DefaultImage());
  const std::optional<SettingsImage> image =
      ImportSettings({{"system", {{"volume", "Medium"}}}}).image;
  ASSERT_TRUE(image);
  EXPECT_EQ(NamedLeaves(*image).at("system.volume"), "Medium");
}

// One bit flipped in each region names a field of that region; a bit no
// control shows is still a difference.
TEST(NamedSettings, DiffNamesTheSettingsThatDiffer) {
  const SettingsImage a = DefaultImage();
  EXPECT_TRUE(DiffSettings(a, a).empty());
  // Bit `bit` of `field`.
  struct Bit {
    ImageField field;
    unsigned bit;
    std::string first_field;
  };
  const auto first_byte = [](std::size_t offset) { return ImageField{offset, 0, 8}; };
  // The bytes after the filter records are no page's.
  const std::size_t unedited = kExcludeRecord.pattern2 + kFilterPatternSize;
  const Bit bits[] = {
      {kVolume, 0, "system."},
      {kDiscoverable, 0, "interface_options."},
      {kTagTypeMask, 1, "tag_types"},
      {kMemoryDelay, 0, "operation."},
      {kResetOnUhfPowerOn, 0, "counter."},
      {TimestampCodeField(0), 1, "timestamp."},
      {first_byte(kCounterPrefix.offset), 1, "key_sequences."},
      {UhfFieldCode(0), 1, "epc_tag."},
      {kCounterLimit, 7, "single_tag_mode."},
      {kIncludeMethod, 1, "epc_filter."},
      {first_byte(unedited), 1, "unedited_bytes."},
      {first_byte(kChecksumOffset), 1, "unedited_bytes." + std::to_string(kChecksumOffset)},
      {kCommandBeep, 0, "byte." + std::to_string(kCommandBeep.byte)}};
  for (const Bit& b : bits) {
    const std::size_t offset = b.field.byte;
    const unsigned bit = b.field.first_bit + b.bit;
    SettingsImage changed = a;
    changed.SetBit(offset, bit, !a.Bit(offset, bit));
    const auto diffs = DiffSettings(a, changed);
    ASSERT_FALSE(diffs.empty()) << offset;
    EXPECT_TRUE(diffs.front().field.starts_with(b.first_field)) << diffs.front().field;
    EXPECT_NE(diffs.front().a, diffs.front().b);
  }
}

}  // namespace
}  // namespace k470
