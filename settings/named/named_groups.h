// The groups of the settings as named fields, each shown from the image as
// its page or dialog shows it and applied to the image through the same
// stores the page's OK uses. Only settings_json.cc calls these.
#pragma once

#include "core/app_state.h"
#include "settings/named/json_values.h"

namespace k470::named {

// The interface the pages work with: the image's, else what a fresh sheet shows.
SelectedInterface ShownInterface(const SettingsImage& image);

// Each Apply step reads its keys of an import against what the starting image
// showed, and applies those that differ to the image as earlier steps left it.
using ApplyStep = void (*)(JsonPatch& top, SettingsImage& image);

// "interface", "system" and "interface_options".
void ShowSystem(const SettingsImage& image, Json& out);
void ApplyInterfaceStep(JsonPatch& top, SettingsImage& image);
void ApplySystemStep(JsonPatch& top, SettingsImage& image);
void ApplyInterfaceOptionsStep(JsonPatch& top, SettingsImage& image);

// "operation", "counter", "timestamp", "key_sequences" and "epc_tag".
void ShowOperation(const SettingsImage& image, Json& out);
void ApplyOperationStep(JsonPatch& top, SettingsImage& image);
void ApplyDelimiterStep(JsonPatch& top, SettingsImage& image);

// "tag_types", "single_tag_mode" and "epc_filter".
void ShowTagFilter(const SettingsImage& image, Json& out);
void ApplyTagTypesStep(JsonPatch& top, SettingsImage& image);
void ApplyScanStep(JsonPatch& top, SettingsImage& image);
void ApplyFilterStep(JsonPatch& top, SettingsImage& image);

// After every step: each value `in` gives must show so in the result, else
// the import is refused naming its key and why the sheet did not keep it. A
// value equal to what `start` (the starting image) showed, of a setting the
// result no longer shows (another interface's option), is no edit and passes.
void RefuseValuesNotKept(const Json& in, const Json& start, const SettingsImage& result);

}  // namespace k470::named
