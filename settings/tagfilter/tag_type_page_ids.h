// Control ids of the TAG Type page: each control carries its id as its
// objectName.
#pragma once

#include <array>

#include "settings/tagfilter/tag_types.h"

namespace k470::tag_type_page_ids {

inline constexpr int kTagActivation = 1231;  // the group of boxes
inline constexpr int kSelectAll = 1215;
inline constexpr int kClearAll = 1232;

// One box per scheme.
inline constexpr int kGdti96 = 1216;
inline constexpr int kGsrn96 = 1217;
inline constexpr int kDod96 = 1218;
inline constexpr int kSgtin96 = 1219;
inline constexpr int kSscc96 = 1220;
inline constexpr int kSgln96 = 1221;
inline constexpr int kGrai96 = 1222;
inline constexpr int kGiai96 = 1223;
inline constexpr int kGid96 = 1224;
inline constexpr int kSgtin198 = 1225;
inline constexpr int kGrai170 = 1226;
inline constexpr int kGiai202 = 1227;
inline constexpr int kSgln195 = 1228;
inline constexpr int kGdti113 = 1229;
inline constexpr int kAdiVar = 1230;
// In the order of kTagTypes.
inline constexpr std::array<int, kTagTypeCount> kTagTypeBoxes = {
    kGdti96, kGsrn96,   kDod96,   kSgtin96, kSscc96,  kSgln96,  kGrai96, kGiai96,
    kGid96,  kSgtin198, kGrai170, kGiai202, kSgln195, kGdti113, kAdiVar};

}  // namespace k470::tag_type_page_ids
