// The Device Settings sheet: a modal dialog with one tab per settings page,
// OK and Cancel. The sheet holds no data; each page loads itself from the
// application state when its tab is first shown and stores itself on OK.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "widgets/settings_page.h"

class QTabWidget;
class QVBoxLayout;

namespace k470::gui {

// Runs a device operation on behalf of a page (see SheetContext).
using DeviceOperationRunner = std::function<bool(DeviceOperation, const std::string&)>;

class DeviceSettingsSheet : public QDialog, public SheetContext {
  Q_OBJECT

 public:
  DeviceSettingsSheet(AppState& state, std::vector<PageEntry> pages, DeviceOperationRunner runner,
                      QWidget* parent = nullptr);

  // OK: every created page stores itself, in page order, then the sheet closes.
  void accept() override;
  // Cancel (also Escape and the close button): only the page shown is asked.
  void reject() override;

  SettingsPage* CreatedPage(PageId id) const override;
  bool RunDeviceOperation(DeviceOperation operation, const std::string& clock_command) override;

  QTabWidget* tabs() const { return tabs_; }

 private:
  // Creates the page of tab `index` the first time it is shown.
  void EnsurePage(int index);

  AppState& state_;
  std::vector<PageEntry> entries_;
  DeviceOperationRunner runner_;
  QTabWidget* tabs_;
  std::vector<QVBoxLayout*> holders_;
  std::vector<SettingsPage*> pages_;  // null until created; owned by their tab
};

// Opens the sheet modally over `owner` (through ExecDialog) and returns when
// the user has closed it.
void OpenDeviceSettings(AppState& state, QWidget* owner, const std::vector<PageEntry>& pages,
                        const DeviceOperationRunner& runner);

}  // namespace k470::gui
