#include "settings/tagfilter/filter_dialog_view.h"

#include <algorithm>

#include "core/translatable.h"
#include "settings/tagfilter/scheme_fields.h"

namespace k470 {
namespace {

// With no stored type offered, the list falls back to this position.
constexpr std::size_t kFallbackPosition = 3;

}  // namespace

std::optional<std::uint8_t> ShownFilterHeader(const SettingsImage& image) {
  const std::vector<TagType> enabled = EnabledTagTypes(TagTypeMask(image));
  const std::uint8_t stored = image.Byte(kFilteredTagType.byte);
  if (std::any_of(enabled.begin(), enabled.end(),
                  [stored](const TagType& t) { return t.header == stored; })) {
    return stored;
  }
  if (enabled.size() > kFallbackPosition) return enabled[kFallbackPosition].header;
  return std::nullopt;
}

std::string MethodCaption(FilterMethod method, std::optional<Scheme> scheme) {
  switch (method) {
    case FilterMethod::kFilterValue:
      return K470_TR_NOOP("k470", "By EPC Filter Value");
    case FilterMethod::kFirstField:
      return scheme ? std::string(SchemeFieldsOf(*scheme).first_field_caption)
                    : K470_TR_NOOP("k470", "By GS1 Company Prefix");
    case FilterMethod::kSecondField:
      return scheme ? SecondFieldCaption(*scheme) : K470_TR_NOOP("k470", "By Item Reference");
  }
  return {};
}

FilterDialogView ViewFilterDialog(const SettingsImage& image) {
  FilterDialogView view;
  view.tag_types = EnabledTagTypes(TagTypeMask(image));
  view.header = ShownFilterHeader(image);
  view.loaded = LoadFilter(image, view.header);
  return view;
}

}  // namespace k470
