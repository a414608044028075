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
#include "tests/support/operation_image.h"
#include "tests/support/system_image.h"

namespace k470 {
namespace {

using testing::PutOperationFieldsInRange;
using testing::RandomImage;
using testing::SystemImageInRange;

// Random bytes half the time; else every System and Operation field in range,
// the images a sheet writes.
SettingsImage GeneratedImage(std::mt19937& rng) {
  if (rng() % 2) return RandomImage(rng);
  SettingsImage image = SystemImageInRange(rng);
  PutOperationFieldsInRange(image, rng);
  return image;
}

std::map<std::string, Json> NamedLeaves(const SettingsImage& image) {
  std::map<std::string, Json> named;
  for (auto& [path, value] : SettingLeaves(ShowSettings(image))) {
    if (!path.starts_with("unedited_bytes.")) named[path] = value;
  }
  return named;
}

SettingsImage Defaults() {
  AppState state;
  New(state);
  return state.image;
}

TEST(NamedSettings, ImportOfExportGivesEveryImageBackByteForByte) {
  std::mt19937 rng(14);
  for (int i = 0; i < 200; ++i) {
    const SettingsImage image = GeneratedImage(rng);
    // Through JSON text, as a file carries it: Latin-1 texts become UTF-8 and back.
    const Json text = Json::parse(ShowSettings(image).dump());
    ASSERT_EQ(ImportSettings(text).image, image) << text.dump(1);
  }
}

TEST(NamedSettings, EveryFieldHasItsLabelAndEveryLabelIsShownUnderSomeInterface) {
  std::mt19937 rng(15);
  std::map<std::string, bool> shown;
  for (int i = 0; i < 40; ++i) {
    SettingsImage image = GeneratedImage(rng);
    image.SetBits(kInterfaceByte, 3, 3, std::array{0u, 5u, 6u}[i % 3]);
    if (i % 2) image.SetByte(kVcomMarkerByte, kVcomMarker);
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
    const SettingsImage image = GeneratedImage(rng);
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
  const Json shown = ShowSettings(Defaults());
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
  EXPECT_EQ(ImportSettings(Json::object()).image, Defaults());
  const std::optional<SettingsImage> image =
      ImportSettings({{"system", {{"volume", "Medium"}}}}).image;
  ASSERT_TRUE(image);
  EXPECT_EQ(NamedLeaves(*image).at("system.volume"), "Medium");
}

// One bit flipped in each region names a field of that region; a bit no
// control shows is still a difference.
TEST(NamedSettings, DiffNamesTheSettingsThatDiffer) {
  const SettingsImage a = Defaults();
  EXPECT_TRUE(DiffSettings(a, a).empty());
  struct Bit {
    std::size_t offset;
    unsigned bit;
    const char* first_field;
  };
  const Bit bits[] = {{5, 6, "system."},
                      {16, 2, "interface_options."},
                      {207, 1, "tag_types"},
                      {6, 1, "operation."},
                      {323, 1, "counter."},
                      {341, 1, "timestamp."},
                      {325, 1, "key_sequences."},
                      {367, 1, "epc_tag."},
                      {82, 7, "single_tag_mode."},
                      {89, 1, "epc_filter."},
                      {300, 1, "unedited_bytes."},
                      {638, 1, "unedited_bytes.638"},
                      {2, 3, "byte.2"}};
  for (const Bit& b : bits) {
    SettingsImage changed = a;
    changed.SetBit(b.offset, b.bit, !a.Bit(b.offset, b.bit));
    const auto diffs = DiffSettings(a, changed);
    ASSERT_FALSE(diffs.empty()) << b.offset;
    EXPECT_TRUE(diffs.front().field.starts_with(b.first_field)) << diffs.front().field;
    EXPECT_NE(diffs.front().a, diffs.front().b);
  }
}

}  // namespace
}  // namespace k470
