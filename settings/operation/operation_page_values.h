// Everything the Operation page shows, as values, loaded from and stored into
// the settings image in the page's orders; the page widget and k470ctl share it.
#pragma once

#include <string_view>

#include "core/app_state.h"
#include "settings/operation/epc_data_fields.h"
#include "settings/operation/operation_settings.h"
#include "settings/operation/output_format.h"

namespace k470 {

struct OperationPageValues {
  OperationSettings settings;
  OutputFormat output;
  UhfFieldLists uhf_fields;
  std::string_view delimiter_name;  // shown on the delimiter button and labels

  friend bool operator==(const OperationPageValues&, const OperationPageValues&) = default;
};

// What opening the page writes at once, before its load: AdoptStoredScanMode
// and ClearUhfDataCodes.
void NormaliseOperationPageOnOpen(AppState& state);

// `shown_date` is the Date Format code the page shows before the load
// (kNoCode when it is new).
OperationPageValues LoadOperationPage(const AppState& state, int shown_date);

// The store at OK. The delimiter bytes are not written here: the delimiter
// button writes them when the user chooses.
void StoreOperationPage(const OperationPageValues& values, AppState& state);

// "Reset": the Operation-side defaults into the image at once, then what
// opening the page writes; the page loads after it.
void ResetOperationPage(AppState& state);

}  // namespace k470
