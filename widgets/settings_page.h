// The contract between the Device Settings sheet and its pages. A page is a
// widget built from the application state when its tab is first shown; it
// stores its controls into the settings image when the sheet is closed with
// OK, and reaches the other pages and the reader's clock only through the
// SheetContext it was built with.
//
// Handlers of the user's choices connect to `activated` (lists) and `clicked`
// (buttons, boxes), never to `currentIndexChanged` or `toggled`: the load,
// Reset and the refreshes set controls from code, and the Output Sequence
// messages or the beeper flag must not follow from that. Numeric edits report
// through NumericEdit::Changed, which also follows the load on purpose.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/app_state.h"
#include "core/clock_time.h"

namespace k470::gui {

// The program's pages. A page is found by its id, not by its tab position.
enum class PageId { kSystem, kTagType, kOperation, kDateTime };

class SettingsPage : public QWidget {
 public:
  explicit SettingsPage(QWidget* parent = nullptr) : QWidget(parent) {}

  // OK: store the controls into the settings image. Called on every page that
  // was created, in tab order; a page never refuses it.
  virtual void Apply() = 0;

  // Cancel while this page is shown: only the current page hears of it, and
  // the sheet closes afterwards in any case.
  virtual void OnCancel() {}
};

// What the sheet offers its pages while it is open. A page may call it from
// its constructor, its handlers and its destructor.
class SheetContext {
 public:
  virtual ~SheetContext() = default;

  // The page of `id` if it has been created and not yet deleted, else null.
  // Never creates one: a page that does not exist yet loads itself from the
  // image when it is.
  virtual SettingsPage* CreatedPage(PageId id) const = 0;

  // Told by the System page after the user picked another interface (the
  // selected interface has already changed). A page that follows the
  // interface supplies the hook while it exists and takes it back in its
  // destructor; with no hook the call does nothing.
  void InterfaceChanged() const {
    if (interface_changed_) interface_changed_();
  }
  void SetInterfaceChangedHook(std::function<void()> hook) { interface_changed_ = std::move(hook); }

  // The PC's local date and time.
  virtual ClockTime LocalTime() const = 0;

  // Sets the reader's clock to `time` the way the main window runs every
  // device operation; the driver's dialogs appear over the sheet. Returns when
  // it is over; the driver has told the user of any failure.
  virtual void SetReaderClock(const ClockTime& time) = 0;

 private:
  std::function<void()> interface_changed_;
};

// Creates a page, loaded from the application state. The page is shown in
// the sheet and lives until the sheet closes.
using PageFactory = std::function<std::unique_ptr<SettingsPage>(AppState&, SheetContext&)>;

struct PageEntry {
  PageId id;
  QString title;  // the tab's text; "&&" shows as one ampersand
  PageFactory create;
};

}  // namespace k470::gui
