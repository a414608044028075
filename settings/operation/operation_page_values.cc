#include "settings/operation/operation_page_values.h"

#include "core/defaults.h"
#include "settings/operation/epc_delimiter.h"

namespace k470 {

void NormaliseOperationPageOnOpen(AppState& state) {
  AdoptStoredScanMode(state);
  ClearUhfDataCodes(state.image);
}

OperationPageValues LoadOperationPage(const AppState& state, int shown_date) {
  OperationPageValues v;
  v.settings = LoadOperationSettings(state);
  v.output = LoadOutputFormat(state.image, shown_date);
  v.uhf_fields = LoadUhfFields(state.image);
  v.delimiter_name = LoadedDelimiterName(state.image.Byte(kDelimiter.offset));
  return v;
}

void StoreOperationPage(const OperationPageValues& values, AppState& state) {
  StoreOperationSettings(values.settings, state);
  StoreOutputFormat(values.output, state.image);
  StoreUhfFields(values.uhf_fields.display_row, state.image);
}

void ResetOperationPage(AppState& state) {
  ApplyOperationDefaults(state);
  NormaliseOperationPageOnOpen(state);
}

}  // namespace k470
