#include "pages/date_time/date_time_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/date_time/date_rules.h"
#include "settings/date_time/date_time_page_ids.h"
#include "widgets/named_controls.h"
#include "widgets/numeric_edit.h"

namespace k470::gui {
namespace {

namespace ids = date_time_page_ids;

struct EditSpec {
  int id;
  int spin_id;
  int digits;
  int min;
  int max;
};
// In DateTimeEdit order; the day's upper end follows the month.
constexpr std::array<EditSpec, 6> kEdits = {
    {{ids::kYear, ids::kYearSpin, 4, kFirstClockYear, kLastClockYear},
     {ids::kMonth, ids::kMonthSpin, 2, 1, 12},
     {ids::kDay, ids::kDaySpin, 2, 1, 31},
     {ids::kHour, ids::kHourSpin, 2, 0, 23},
     {ids::kMinute, ids::kMinuteSpin, 2, 0, 59},
     {ids::kSecond, ids::kSecondSpin, 2, 0, 59}}};

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }
}  // namespace

DateTimePage::DateTimePage(AppState& state, SheetContext& context, QWidget* parent)
    : SettingsPage(parent), state_(state), context_(context) {
  const char* const mode_texts[] = {QT_TR_NOOP("Skip clock synchronization"),
                                    QT_TR_NOOP("Synchronize time and date with host automatically"),
                                    QT_TR_NOOP("Set time and date")};
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 3; ++i) {
    const auto mode = static_cast<ClockMode>(i);
    modes_[i] = Named(new QRadioButton(tr(mode_texts[i]), this), ids::kModes[i]);
    connect(modes_[i], &QRadioButton::clicked, this, [this, mode] { ModeClicked(mode); });
    layout->addWidget(modes_[i]);
  }

  group_ = Named(new QGroupBox(tr("Date && Time"), this), ids::kDateAndTime);
  // The group's title names none of its edits.
  const std::array<QString, 6> edit_names = {tr("Year"), tr("Month"),  tr("Day"),
                                             tr("Hour"), tr("Minute"), tr("Second")};
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    const auto which = static_cast<DateTimeEdit>(i);
    auto* edit = new NumericEdit(
        kEdits[i].digits, [this, which](const std::string& text) { return Corrected(which, text); },
        group_);
    Named(edit, kEdits[i].id);
    Named(edit->spin(), kEdits[i].spin_id);
    edit->SetSpinRange(kEdits[i].min, kEdits[i].max);
    edit->setAccessibleName(edit_names[i]);
    edits_[i] = edit;
  }
  connect(edits_[0], &NumericEdit::Changed, this,
          [this] { FollowYearOrMonth(DateTimeEdit::kYear); });
  connect(edits_[1], &NumericEdit::Changed, this,
          [this] { FollowYearOrMonth(DateTimeEdit::kMonth); });
  // Leaving the year, "Update" included, makes it a year the reader's clock can take.
  connect(edits_[0], &QLineEdit::editingFinished, this, [this] {
    DateTimeTexts texts = Texts();
    CorrectYearOnFocusOut(texts);
    edits_[0]->setText(QString::fromStdString(texts.year));
  });

  auto* update = Named(new QPushButton(tr("Update"), group_), ids::kUpdate);
  connect(update, &QPushButton::clicked, this, &DateTimePage::UpdateClicked);

  auto* grid = new QGridLayout(group_);
  const auto row = [&](QLabel* label, int first, const char* separator, int id1, int id2) {
    auto* line = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
      NumericEdit* edit = edits_[static_cast<std::size_t>(first + k)];
      line->addWidget(edit);
      line->addWidget(edit->spin());
      if (k < 2) line->addWidget(Label(separator, k == 0 ? id1 : id2, group_));
    }
    line->addStretch(1);
    const int r = grid->rowCount();
    grid->addWidget(label, r, 0);
    grid->addLayout(line, r, 1);
  };
  row(Label(tr("Date :"), ids::kDateLabel, group_), 0, "/", ids::kYearMonthSlash,
      ids::kMonthDaySlash);
  row(Label(tr("Time :"), ids::kTimeLabel, group_), 3, ":", ids::kHourMinuteColon,
      ids::kMinuteSecondColon);
  grid->addWidget(update, grid->rowCount(), 1, Qt::AlignLeft);
  layout->addWidget(group_);
  layout->addStretch(1);

  // The edits start from the PC's clock, the day's range from its month.
  const ClockTime now = context_.LocalTime();
  day_max_ = DaysInMonth(now.year, now.month);
  edits_[2]->SetSpinRange(1, day_max_);
  edits_[0]->setText(QString::number(now.year));
  edits_[1]->setText(TwoDigits(now.month));
  edits_[2]->setText(TwoDigits(now.day));
  edits_[3]->setText(TwoDigits(now.hour));
  edits_[4]->setText(TwoDigits(now.minute));
  edits_[5]->setText(TwoDigits(now.second));
  ShowMode();
}

void DateTimePage::OnCancel() { state_.clock_mode = ClockMode::kSkip; }

void DateTimePage::ModeClicked(ClockMode mode) {
  state_.clock_mode = mode;
  ShowMode();
}

void DateTimePage::ShowMode() {
  modes_[static_cast<std::size_t>(state_.clock_mode)]->setChecked(true);
  group_->setEnabled(state_.clock_mode == ClockMode::kSetTimeAndDate);
}

DateTimeTexts DateTimePage::Texts() const {
  const auto text = [this](std::size_t i) {
    return edits_[i] != nullptr ? edits_[i]->text().toStdString() : std::string();
  };
  DateTimeTexts texts{text(0), text(1), text(2), text(3), text(4), text(5)};
  texts.day_max = day_max_;
  return texts;
}

std::optional<std::string> DateTimePage::Corrected(DateTimeEdit which,
                                                   const std::string& text) const {
  DateTimeTexts texts = Texts();
  switch (which) {
    case DateTimeEdit::kYear:
      texts.year = text;
      break;
    case DateTimeEdit::kMonth:
      texts.month = text;
      break;
    case DateTimeEdit::kDay:
      texts.day = text;
      break;
    case DateTimeEdit::kHour:
      texts.hour = text;
      break;
    case DateTimeEdit::kMinute:
      texts.minute = text;
      break;
    case DateTimeEdit::kSecond:
      texts.second = text;
      break;
  }
  CorrectDateTime(texts, which);
  const std::string* own[] = {&texts.year, &texts.month,  &texts.day,
                              &texts.hour, &texts.minute, &texts.second};
  const std::string& corrected = *own[static_cast<std::size_t>(which)];
  if (corrected == text) return std::nullopt;
  return corrected;
}

void DateTimePage::FollowYearOrMonth(DateTimeEdit which) {
  if (edits_[2] == nullptr) return;  // still being built
  DateTimeTexts texts = Texts();
  CorrectDateTime(texts, which);
  day_max_ = texts.day_max;
  edits_[2]->SetSpinRange(1, day_max_);
  if (edits_[2]->text().toStdString() != texts.day) {
    edits_[2]->setText(QString::fromStdString(texts.day));
  }
}

void DateTimePage::UpdateClicked() {
  DateTimeTexts texts = Texts();
  CorrectYearOnFocusOut(texts);
  edits_[0]->setText(QString::fromStdString(texts.year));
  const ClockTime time{edits_[0]->Value(), edits_[1]->Value(), edits_[2]->Value(),
                       edits_[3]->Value(), edits_[4]->Value(), edits_[5]->Value()};
  state_.clock_mode = ClockMode::kSetTimeAndDate;
  context_.SetReaderClock(time);
}

}  // namespace k470::gui
