// The Device Settings sheet: a modal dialog with one tab per settings page,
// OK and Cancel. The sheet holds no data; each page loads itself from the
// application state when its tab is first shown and stores itself on OK.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "core/app_state.h"
#include "widgets/settings_page.h"

class QTabWidget;
class QVBoxLayout;

namespace k470::gui {

// What the sheet takes from the program to serve its pages.
struct SheetServices {
  // The PC's local date and time; the system clock when empty.
  std::function<ClockTime()> local_time;
  // Sets the reader's clock to the time given, with the driver's dialogs over
  // `owner`; nothing happens when empty.
  std::function<void(const ClockTime&, QWidget* owner)> set_reader_clock;
};

class DeviceSettingsSheet : public QDialog, public SheetContext {
  Q_OBJECT

 public:
  DeviceSettingsSheet(AppState& state, std::vector<PageEntry> pages, SheetServices services,
                      QWidget* parent = nullptr);
  // Deletes the pages, last tab first, while the context they may ask from
  // their destructors is still whole.
  ~DeviceSettingsSheet() override;

  // OK: every created page stores itself, in tab order, then the sheet closes.
  void accept() override;
  // Cancel (also Escape and the close button): the page shown hears of it,
  // then the sheet closes.
  void reject() override;

  SettingsPage* CreatedPage(PageId id) const override;
  ClockTime LocalTime() const override;
  void SetReaderClock(const ClockTime& time) override;

  QTabWidget* tabs() const { return tabs_; }

 private:
  // Creates the page of tab `index` the first time it is shown.
  void EnsurePage(int index);

  AppState& state_;
  std::vector<PageEntry> entries_;
  SheetServices services_;
  QTabWidget* tabs_;
  std::vector<QVBoxLayout*> holders_;
  std::vector<SettingsPage*> pages_;  // null until created; owned by their tab
};

// Opens the sheet modally over `owner` (through ExecDialog) and returns when
// the user has closed it.
void OpenDeviceSettings(AppState& state, QWidget* owner, const std::vector<PageEntry>& pages,
                        const SheetServices& services);

}  // namespace k470::gui
