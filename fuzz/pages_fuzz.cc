// Every page's load followed by its OK, on any image, leaves an image that
// loads to the same controls: nothing a page shows changes by confirming it.
#include <map>
#include <string>

#include "fuzz/fuzz_input.h"
#include "settings/named/settings_json.h"
#include "settings/operation/operation_page_values.h"
#include "settings/system/interface_options.h"
#include "settings/system/interface_selection.h"
#include "settings/system/system_fields.h"
#include "settings/tagfilter/epc_filter.h"
#include "settings/tagfilter/filter_dialog_view.h"
#include "settings/tagfilter/scan_settings.h"

namespace {

std::map<std::string, k470::Json> Controls(const k470::SettingsImage& image) {
  std::map<std::string, k470::Json> controls;
  for (auto& [path, value] : k470::SettingLeaves(k470::ShowSettings(image))) {
    if (!path.starts_with("unedited_bytes.")) controls[path] = value;
  }
  return controls;
}

void ConfirmEveryPage(k470::SettingsImage& image) {
  using namespace k470;
  // The sheet keeps its first interface when the image names none, and its
  // OK stores that one.
  const SelectedInterface interface =
      StoredInterface(image).value_or(SelectedInterface::kBluetoothSpp);
  StoreSystemFields(LoadSystemFields(image), interface, image);

  InterfaceFields options = OpenInterfaceFields(interface, image);
  if (IsKeyboardInterface(interface)) {
    StoreKeyboardInterface(interface, options, image);
  } else {
    StoreSerialInterface(interface, options, image);
  }

  SetTagTypeMask(image, TagTypeMask(image));

  AppState state;
  state.image = image;
  state.selected_interface = interface;
  NormaliseOperationPageOnOpen(state);
  StoreOperationPage(LoadOperationPage(state, kNoCode), state);
  image = state.image;

  StoreScanSettings(LoadScanSettings(image), image);
  const FilterDialogView view = ViewFilterDialog(image);
  FilterChoice choice = view.loaded.choice;
  choice.header = view.header;
  // The dialog's OK without edits.
  ConfirmFilter(choice, choice, image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  k470::fuzz::FuzzInput input(data, size);
  k470::SettingsImage image = input.Image();
  // When the stored TAG type is not offered, the dialog shows another and its
  // OK stores that one with the filter: the filter then reads as stored anew.
  const std::optional<std::uint8_t> shown_type = k470::ShownFilterHeader(image);
  const bool type_replaced = shown_type && *shown_type != image.Field(k470::kFilteredTagType);
  auto before = Controls(image);
  ConfirmEveryPage(image);
  auto after = Controls(image);
  // An interface code of none becomes the interface the sheet showed.
  if (before["interface"].is_object()) before.erase("interface"), after.erase("interface");
  if (type_replaced) {
    std::erase_if(before, [](const auto& c) { return c.first.starts_with("epc_filter."); });
    std::erase_if(after, [](const auto& c) { return c.first.starts_with("epc_filter."); });
  }
  if (before != after) {
    for (const auto& [path, value] : before) {
      if (after[path] != value) {
        std::fprintf(stderr, "%s: %s then %s\n", path.c_str(), value.dump().c_str(),
                     after[path].dump().c_str());
      }
    }
    k470::fuzz::Broken("a confirmed page shows other values");
  }
  return 0;
}
