#include "settings/operation/operation_page_values.h"

#include "core/defaults.h"
#include "settings/operation/epc_delimiter.h"

namespace k470 {

OperationPageValues LoadOperationPage(AppState& state, int shown_date) {
  OperationPageValues v;
  v.settings = LoadOperationSettings(state);
  v.output = LoadOutputFormat(state.image, shown_date);
  v.uhf_fields = LoadUhfFields(state.image);
  v.delimiter_name = LoadedDelimiterName(state.image.Byte(kDelimiterByte));
  return v;
}

void StoreOperationPage(const OperationPageValues& values, AppState& state) {
  StoreOperationSettings(values.settings, state);
  StoreOutputFormat(values.output, state.image);
  StoreUhfFields(values.uhf_fields.display_row, state.image);
}

OperationPageValues ResetOperationPage(AppState& state, int shown_date) {
  ApplyOperationDefaults(state);
  return LoadOperationPage(state, shown_date);
}

}  // namespace k470
