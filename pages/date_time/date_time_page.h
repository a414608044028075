// The "Date & Time" page of the Device Settings sheet: how Download Settings
// treats the reader's clock (the program-wide clock mode), and a date and
// time of the user's choice sent to the reader at once with "Update". It
// edits no byte of the settings image.
#pragma once

#include <array>

#include "core/app_state.h"
#include "settings/date_time/date_time_corrections.h"
#include "widgets/settings_page.h"

class QGroupBox;
class QRadioButton;

namespace k470::gui {

class NumericEdit;

class DateTimePage : public SettingsPage {
  Q_OBJECT

 public:
  DateTimePage(AppState& state, SheetContext& context, QWidget* parent = nullptr);

  // OK changes nothing: the clock mode is set as the radio buttons are clicked.
  void Apply() override {}
  // Cancelling the sheet on this page skips the clock on the next download.
  void OnCancel() override;

 private:
  void ModeClicked(ClockMode mode);
  void ShowMode();
  DateTimeTexts Texts() const;
  // The correction of edit `which` for its new `text`, the others as they are.
  std::optional<std::string> Corrected(DateTimeEdit which, const std::string& text) const;
  // After the year or the month changed: the day's range and the day follow.
  void FollowYearOrMonth(DateTimeEdit which);
  void UpdateClicked();

  AppState& state_;
  SheetContext& context_;
  std::array<QRadioButton*, 3> modes_{};
  QGroupBox* group_;
  // Year, month, day, hour, minute, second.
  std::array<NumericEdit*, 6> edits_{};
  int day_max_ = 31;  // the day spin's upper end
};

}  // namespace k470::gui
