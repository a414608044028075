// The pages of the Device Settings sheet. Each tab gets its page through a
// factory here; a page that is not written yet is an empty one.
#include "pages/settings_pages.h"

#include "pages/operation/operation_page.h"
#include "pages/system/date_time_page.h"
#include "pages/system/system_page.h"

namespace k470::gui {
namespace {

// Shows nothing and stores nothing.
class EmptyPage : public SettingsPage {
 public:
  void Apply() override {}
};

std::unique_ptr<SettingsPage> MakeEmptyPage(AppState&, SheetContext&) {
  return std::make_unique<EmptyPage>();
}

template <typename Page>
std::unique_ptr<SettingsPage> Make(AppState& state, SheetContext& context) {
  return std::make_unique<Page>(state, context);
}

}  // namespace

std::vector<PageEntry> DefaultSettingsPages() {
  return {
      {PageId::kSystem, QStringLiteral("System"), Make<SystemPage>},
      {PageId::kTagType, QStringLiteral("TAG Type"), MakeEmptyPage},
      // Its "Advanced" buttons do nothing until the Single TAG Mode dialog is
      // handed to OperationPage.
      {PageId::kOperation, QStringLiteral("Operation"), Make<OperationPage>},
      {PageId::kDateTime, QStringLiteral("Date && Time"), Make<DateTimePage>},
  };
}

}  // namespace k470::gui
