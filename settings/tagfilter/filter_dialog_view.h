// What the Single TAG Mode dialog's filter controls show when it opens, as
// values: the TAG type it selects, the method captions of that type's scheme,
// and the filter type list. The dialog and k470ctl both show the filter this way.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/list_entry.h"
#include "core/settings_image.h"
#include "core/translatable.h"
#include "settings/tagfilter/epc_filter.h"
#include "settings/tagfilter/filter_choice.h"
#include "settings/tagfilter/tag_types.h"

namespace k470 {

// "Filter Type :", its codes the FilterType values.
inline constexpr std::array<ListEntry, 3> kFilterTypeList = {
    {{K470_TR_NOOP("k470", "Disable Filter"), 0},
     {K470_TR_NOOP("k470", "Include EPC"), 1},
     {K470_TR_NOOP("k470", "Exclude EPC"), 2}}};

// The TAG type entry selected at opening: the stored type (byte 211) when it
// is enabled, else the fourth enabled type, else none.
std::optional<std::uint8_t> ShownFilterHeader(const SettingsImage& image);

// The caption of a method radio for the scheme shown; with no type shown the
// captions stay as the dialog is built.
std::string MethodCaption(FilterMethod method, std::optional<Scheme> scheme);

struct FilterDialogView {
  std::vector<TagType> tag_types;  // the TAG Type list
  std::optional<std::uint8_t> header;
  LoadedFilter loaded;
};

FilterDialogView ViewFilterDialog(const SettingsImage& image);

}  // namespace k470
