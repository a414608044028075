// The TAG Type page and the Single TAG Mode dialog as named fields.
#include <string>

#include "settings/named/named_groups.h"
#include "settings/tagfilter/decimal_fields.h"
#include "settings/tagfilter/filter_dialog_view.h"
#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/scan_settings.h"

namespace k470::named {
namespace {

constexpr std::array<FilterMethod, 3> kMethods = {
    FilterMethod::kFilterValue, FilterMethod::kFirstField, FilterMethod::kSecondField};

std::optional<Scheme> SchemeOf(std::optional<std::uint8_t> header) {
  return header ? SchemeOfHeader(*header) : std::nullopt;
}

Json FilterValueText(std::optional<std::uint8_t> header, std::optional<int> value) {
  if (!header || !value) return nullptr;
  for (const FilterValueEntry& e : FilterValueEntries(*header)) {
    if (e.value == *value) return e.text;
  }
  return Json{{"unknown_code", *value}};
}

// Whether a new TAG type was chosen.
bool ApplyTagType(JsonPatch& p, const FilterDialogView& view, FilterChoice& choice) {
  const Json* v = p.Changed("tag_type");
  if (!v) return false;
  for (const TagType& type : view.tag_types) {
    if (v->is_string() && v->get<std::string>() == type.name) {
      // A new type starts the dialog's texts anew, on its first filter value.
      choice.header = type.header;
      choice.pattern1.clear();
      choice.pattern2.clear();
      choice.digit_count.reset();
      const std::vector<FilterValueEntry> values = FilterValueEntries(type.header);
      choice.filter_value = values.empty() ? std::nullopt : std::optional(values.front().value);
      if (type.header == kHeaderGid96 && choice.method == FilterMethod::kFilterValue) {
        choice.method = FilterMethod::kFirstField;
      }
      return true;
    }
  }
  throw SettingError(p.KeyPath("tag_type"), "must be a TAG type enabled in \"tag_types\"");
}

// The value of `key` to apply: any given after a new TAG type reset the
// texts, else one that differs from the shown.
const Json* ToApply(JsonPatch& p, std::string_view key, bool new_type) {
  return new_type ? p.Given(key) : p.Changed(key);
}

void ApplyMethod(JsonPatch& p, FilterChoice& choice, bool new_type) {
  const Json* v = ToApply(p, "method", new_type);
  if (!v) return;
  const std::optional<Scheme> scheme = SchemeOf(choice.header);
  for (const FilterMethod method : kMethods) {
    if (v->is_string() && v->get<std::string>() == MethodCaption(method, scheme)) {
      if (method == FilterMethod::kFilterValue && choice.header == kHeaderGid96) {
        throw SettingError(p.KeyPath("method"), "GID-96 has no filter value");
      }
      choice.method = method;
      return;
    }
  }
  throw SettingError(p.KeyPath("method"),
                     "must be \"" + MethodCaption(FilterMethod::kFilterValue, scheme) + "\", \"" +
                         MethodCaption(FilterMethod::kFirstField, scheme) + "\" or \"" +
                         MethodCaption(FilterMethod::kSecondField, scheme) + "\"");
}

void ApplyFilterValue(JsonPatch& p, FilterChoice& choice, bool new_type) {
  const Json* v = ToApply(p, "filter_value", new_type);
  if (!v || (new_type && v->is_null())) return;
  if (choice.header) {
    for (const FilterValueEntry& e : FilterValueEntries(*choice.header)) {
      if (v->is_string() && v->get<std::string>() == e.text) {
        choice.filter_value = e.value;
        return;
      }
    }
  }
  throw SettingError(p.KeyPath("filter_value"), "must be a filter value of the TAG type");
}

// A decimal field stores the number's low bits only: letters, a sign or a
// number too large would filter on another number.
void RefuseNumbersThatDoNotFit(const JsonPatch& p, const FilterChoice& choice) {
  const std::optional<Scheme> scheme = SchemeOf(choice.header);
  if (!scheme) return;
  const std::optional<unsigned> bits = DecimalFieldBits(*scheme, choice);
  if (!bits) return;
  if (const auto error = DecimalPatternError(choice.pattern1, *bits)) {
    throw SettingError(p.KeyPath("pattern1"), *error);
  }
  if (choice.method != FilterMethod::kSecondField) return;
  if (const auto error = DecimalPatternError(choice.pattern2, *bits)) {
    throw SettingError(p.KeyPath("pattern2"), *error);
  }
}

}  // namespace

void ShowTagFilter(const SettingsImage& image, Json& out) {
  Json types = Json::array();
  for (const TagType& type : EnabledTagTypes(TagTypeMask(image))) types.push_back(type.name);
  out["tag_types"] = types;

  const ScanSettings scan = LoadScanSettings(image);
  out["single_tag_mode"] = {
      {"scanning_timeout",
       CorrectedNumber(static_cast<unsigned>(scan.timeout), 0, kMaxScanTimeout)},
      {"delay_between_scans", ListValue(kScanDelayList, scan.delay)},
      {"counter_limit",
       CorrectedNumber(static_cast<unsigned>(scan.counter_limit), 0, kMaxCounterLimit)},
      {"warn_when_limit_reached", scan.warn_at_limit}};

  const FilterDialogView view = ViewFilterDialog(image);
  const FilterChoice& choice = view.loaded.choice;
  const std::optional<Scheme> scheme = SchemeOf(view.header);
  Json& filter = out["epc_filter"];
  // Both directions on is no entry of the list: its code is byte 89's two
  // method codes, which no entry's code can equal.
  filter["filter_type"] = choice.filter_type == FilterType::kNoSelection
                              ? Json{{"unknown_code", image.Field(kFilterMethods)}}
                              : ListValue(kFilterTypeList, static_cast<int>(choice.filter_type));
  filter["tag_type"] = scheme ? Json(std::string(TagTypeOf(*scheme).name)) : Json(nullptr);
  filter["method"] = MethodCaption(choice.method, scheme);
  filter["filter_value"] = FilterValueText(view.header, choice.filter_value);
  filter["pattern1"] = Latin1ToUtf8(choice.pattern1);
  filter["pattern2"] = Latin1ToUtf8(choice.pattern2);
  filter["digits"] = choice.digit_count ? std::to_string(*choice.digit_count) : "";
}

void ApplyTagTypesStep(JsonPatch& top, SettingsImage& image) {
  const Json* v = top.Changed("tag_types");
  if (!v) return;
  if (!v->is_array()) throw SettingError("tag_types", "must be a list of TAG type names");
  std::uint16_t mask = 0;
  for (const Json& name : *v) {
    bool known = false;
    for (const TagType& type : kTagTypes) {
      if (name.is_string() && name.get<std::string>() == type.name) {
        mask |= static_cast<std::uint16_t>(1u << SchemeIndex(type.scheme));
        known = true;
      }
    }
    if (!known) throw SettingError("tag_types", "unknown TAG type " + name.dump());
  }
  SetTagTypeMask(image, mask);
}

void ApplyScanStep(JsonPatch& top, SettingsImage& image) {
  if (!top.Has("single_tag_mode")) return;
  JsonPatch p = top.Child("single_tag_mode");
  ScanSettings scan = LoadScanSettings(image);
  p.Number("scanning_timeout", 0, kMaxScanTimeout, scan.timeout);
  p.List("delay_between_scans", kScanDelayList, scan.delay);
  p.Number("counter_limit", 0, kMaxCounterLimit, scan.counter_limit);
  p.Bool("warn_when_limit_reached", scan.warn_at_limit);
  p.RefuseUnknownKeys();
  if (p.changed()) StoreScanSettings(scan, image);
}

void ApplyFilterStep(JsonPatch& top, SettingsImage& image) {
  if (!top.Has("epc_filter")) return;
  JsonPatch p = top.Child("epc_filter");
  const FilterDialogView view = ViewFilterDialog(image);
  FilterChoice choice = view.loaded.choice;
  choice.header = view.header;
  int type = static_cast<int>(choice.filter_type);
  p.List("filter_type", kFilterTypeList, type);
  choice.filter_type = static_cast<FilterType>(type);
  const bool new_type = ApplyTagType(p, view, choice);
  ApplyMethod(p, choice, new_type);
  ApplyFilterValue(p, choice, new_type);
  for (const auto& [key, pattern] :
       {std::pair{"pattern1", &choice.pattern1}, std::pair{"pattern2", &choice.pattern2}}) {
    if (const Json* v = ToApply(p, key, new_type)) {
      *pattern = JsonPatch::Latin1Of(*v, p.KeyPath(key), kMaxPatternCharacters);
    }
  }
  if (const Json* v = ToApply(p, "digits", new_type)) {
    const std::string digits = JsonPatch::Latin1Of(*v, p.KeyPath("digits"), 3);
    if (digits.find_first_not_of("0123456789") != std::string::npos) {
      throw SettingError(p.KeyPath("digits"), "must be digits, or \"\" for none");
    }
    choice.digit_count =
        digits.empty() ? std::nullopt : std::optional<unsigned>(DigitCountOf(digits));
  }
  p.RefuseUnknownKeys();
  if (!p.changed()) return;
  RefuseNumbersThatDoNotFit(p, choice);
  StoreFilter(choice, image);
}

}  // namespace k470::named
