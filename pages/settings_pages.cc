// The pages of the Device Settings sheet. Each tab gets its page through a
// factory here.
#include "pages/settings_pages.h"

#include <QCoreApplication>

#include "pages/date_time/date_time_page.h"
#include "pages/operation/operation_page.h"
#include "pages/system/system_page.h"
#include "pages/tagfilter/single_tag_mode_dialog.h"
#include "pages/tagfilter/tag_type_page.h"

namespace k470::gui {
namespace {

template <typename Page>
std::unique_ptr<SettingsPage> Make(AppState& state, SheetContext& context) {
  return std::make_unique<Page>(state, context);
}

// Its two "Advanced" buttons open the Single TAG Mode dialog.
std::unique_ptr<SettingsPage> MakeOperationPage(AppState& state, SheetContext& context) {
  return std::make_unique<OperationPage>(state, context, OpenSingleTagModeDialog);
}

}  // namespace

std::vector<PageEntry> DefaultSettingsPages() {
  // A free function has no tr(): the titles are filed under the namespace.
  const auto tr = [](const char* title) { return QCoreApplication::translate("k470::gui", title); };
  return {
      {PageId::kSystem, tr("System"), Make<SystemPage>},
      {PageId::kTagType, tr("TAG Type"), Make<TagTypePage>},
      {PageId::kOperation, tr("Operation"), MakeOperationPage},
      {PageId::kDateTime, tr("Date && Time"), Make<DateTimePage>},
  };
}

}  // namespace k470::gui
