// The contract between the Device Settings sheet and its pages. A page is a
// widget built from the application state when its tab is first shown; it
// stores its controls into the settings image when the sheet is closed with
// OK, may refuse a Cancel, and reaches the other pages through the sheet.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "link/device_ui.h"

namespace k470::gui {

// Tab positions of the pages, in the sheet's order.
enum class PageId { kSystem = 0, kTagType = 1, kOperation = 2, kDateTime = 3 };

class SettingsPage : public QWidget {
 public:
  explicit SettingsPage(QWidget* parent = nullptr) : QWidget(parent) {}

  // OK: store the controls into the settings image. Called on every page that
  // was created, in page order; a page never refuses it.
  virtual void Apply() = 0;

  // Cancel while this page is shown (only the current page is asked): do what
  // the page does on a cancel and return true to let the sheet close.
  virtual bool QueryCancel() { return true; }
};

// What the System page asks of the Operation page whenever the interface
// changes. The Operation page implements it.
class OperationPageCalls {
 public:
  virtual ~OperationPageCalls() = default;
  // Refills the Data Format list for the selected interface and selects the
  // stored data format.
  virtual void RefreshDataFormatList() = 0;
  // Enables or disables, all together, the output sequence and section controls.
  virtual void SetOutputControlsEnabled(bool enabled) = 0;
};

// What the sheet offers its pages while it is open.
class SheetContext {
 public:
  virtual ~SheetContext() = default;

  // The page of `id` if it has been created, else null. Never creates one:
  // a page that does not exist yet loads itself from the image when it is.
  virtual SettingsPage* CreatedPage(PageId id) const = 0;

  // The Operation page's calls, or null while that page has not been created.
  OperationPageCalls* OperationPage() const {
    return dynamic_cast<OperationPageCalls*>(CreatedPage(PageId::kOperation));
  }

  // Runs a device operation for a page (the Date & Time page's Set clock),
  // with the clock command to send. True when it completed.
  virtual bool RunDeviceOperation(DeviceOperation operation, const std::string& clock_command) = 0;
};

// Creates a page, loaded from the application state. The page is shown in
// the sheet and lives until the sheet closes.
using PageFactory = std::function<std::unique_ptr<SettingsPage>(AppState&, SheetContext&)>;

struct PageEntry {
  QString title;  // the tab's text; "&&" shows as one ampersand
  PageFactory create;
};

}  // namespace k470::gui
