#include "pages/operation/epc_field_picker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/operation/operation_page_ids.h"
#include "widgets/dialog_picture.h"
#include "widgets/named_controls.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

namespace ids = operation_page_ids;

constexpr int kMoveIconSize = 16;
constexpr int kDisplayFieldWidth = 56;
constexpr int kFieldListHeight = 76;

// The first selected row of a field list box, -1 when none is selected.
int FirstSelectedRow(const QListWidget* list) {
  int first = -1;
  for (const QListWidgetItem* item : list->selectedItems()) {
    const int row = list->row(item);
    if (first < 0 || row < first) first = row;
  }
  return first;
}

void FillFieldList(QListWidget* list, const std::vector<int>& codes) {
  list->clear();
  for (int code : codes) list->addItem(Translated(UhfFieldName(code)));
}

}  // namespace

EpcFieldPicker::EpcFieldPicker(QLayout* top_row, QWidget* parent) : QWidget(parent) {
  const int display_ids[] = {ids::kField1, ids::kField2, ids::kField3, ids::kField4};
  for (std::size_t i = 0; i < display_row_.size(); ++i) {
    auto* field = Named(new QLineEdit(this), display_ids[i]);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(kDisplayFieldWidth);
    field->setAccessibleName(tr("Field %1").arg(i + 1));
    display_row_[i] = field;
  }
  delimiter_ = Named(new QPushButton(this), ids::kDelimiter);
  delimiter_->setFixedWidth(delimiter_->fontMetrics().horizontalAdvance(Translated("[Tab]")) + 16);
  connect(delimiter_, &QPushButton::clicked, this, &EpcFieldPicker::DelimiterClicked);
  const int label_ids[] = {ids::kDelimiterLabel1, ids::kDelimiterLabel2};
  for (std::size_t i = 0; i < delimiter_labels_.size(); ++i) {
    delimiter_labels_[i] = Label(QString(), label_ids[i], this);
    delimiter_labels_[i]->setAlignment(Qt::AlignCenter);
    delimiter_labels_[i]->setMinimumWidth(delimiter_->width());
  }
  auto* display = new QHBoxLayout;
  display->addWidget(display_row_[0]);
  display->addWidget(delimiter_);
  display->addWidget(display_row_[1]);
  display->addWidget(delimiter_labels_[0]);
  display->addWidget(display_row_[2]);
  display->addWidget(delimiter_labels_[1]);
  display->addWidget(display_row_[3]);
  display->addStretch(1);

  available_ = Named(new QListWidget(this), ids::kAvailableFields);
  selected_ = Named(new QListWidget(this), ids::kSelectedFields);
  available_->setAccessibleName(tr("Available fields"));
  selected_->setAccessibleName(tr("Selected fields"));
  for (QListWidget* list : {available_, selected_}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFixedHeight(kFieldListHeight);
  }
  const struct {
    int id;
    const char* text;  // the button's own text, which the icon stands in for
    const char* what;  // what it does, for the tooltip and a screen reader
    const char* icon;
  } moves[] = {{ids::kMoveToSelected, ">", QT_TR_NOOP("Add to selected fields"), kMoveRightIcon},
               {ids::kMoveToAvailable, "<", QT_TR_NOOP("Back to available fields"), kMoveLeftIcon},
               {ids::kMoveUp, "^", QT_TR_NOOP("Move up"), kMoveUpIcon},
               {ids::kMoveDown, "V", QT_TR_NOOP("Move down"), kMoveDownIcon}};
  std::array<QPushButton*, 4> move_buttons{};
  for (std::size_t i = 0; i < move_buttons.size(); ++i) {
    auto* button = Named(new QPushButton(this), moves[i].id);
    // The icon stands in for the text, which stays the button's name; what the
    // button does is said beside it.
    button->setIcon(DialogIcon(QString::fromLatin1(moves[i].icon)));
    button->setIconSize(QSize(kMoveIconSize, kMoveIconSize));
    button->setAccessibleName(QString::fromLatin1(moves[i].text));
    button->setAccessibleDescription(tr(moves[i].what));
    button->setToolTip(tr(moves[i].what));
    button->setFixedWidth(button->sizeHint().height() + 8);
    move_buttons[i] = button;
  }
  connect(move_buttons[0], &QPushButton::clicked, this, [this] {
    if (MoveToSelected(fields_, FirstSelectedRow(available_))) Refresh();
  });
  connect(move_buttons[1], &QPushButton::clicked, this, [this] {
    if (MoveToAvailable(fields_, FirstSelectedRow(selected_))) Refresh();
  });
  connect(move_buttons[2], &QPushButton::clicked, this, [this] { Reorder(MoveUp); });
  connect(move_buttons[3], &QPushButton::clicked, this, [this] { Reorder(MoveDown); });

  auto* in_out = new QVBoxLayout;
  in_out->addWidget(move_buttons[0]);
  in_out->addWidget(move_buttons[1]);
  auto* up_down = new QVBoxLayout;
  up_down->addWidget(move_buttons[2]);
  up_down->addWidget(move_buttons[3]);
  auto* lists = new QHBoxLayout;
  lists->addWidget(available_, 1);
  lists->addLayout(in_out);
  lists->addWidget(selected_, 1);
  lists->addLayout(up_down);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(top_row);
  column->addLayout(display);
  column->addLayout(lists);

  // Tab reads the rows left to right: the delimiter between fields 1 and 2,
  // each pair of move buttons after the list it stands beside.
  TabOrder({display_row_[0], delimiter_, display_row_[1], display_row_[2], display_row_[3],
            available_, move_buttons[0], move_buttons[1], selected_, move_buttons[2],
            move_buttons[3]});
}

void EpcFieldPicker::ShowFields(const UhfFieldLists& fields) {
  fields_ = fields;
  Refresh();
}

std::array<int, kUhfFieldPositions> EpcFieldPicker::DisplayRow() const {
  std::array<int, kUhfFieldPositions> row{};
  // From the codes shown, never from the texts: those are in the user's
  // language. A code the list does not offer reads as none, as it always has.
  for (std::size_t i = 0; i < display_row_.size(); ++i) {
    row[i] = UhfFieldCodeOf(UhfFieldName(fields_.display_row[i]));
  }
  return row;
}

void EpcFieldPicker::ShowDelimiterName(std::string_view name) {
  delimiter_->setText(Translated(name));
  const QString shown = Translated(name).trimmed();
  delimiter_->setAccessibleName(shown.isEmpty() ? tr("Delimiter: none")
                                                : tr("Delimiter: %1").arg(shown));
  for (QLabel* label : delimiter_labels_) label->setText(Translated(name));
}

void EpcFieldPicker::Refresh() {
  FillFieldList(available_, fields_.available);
  FillFieldList(selected_, fields_.selected);
  for (std::size_t i = 0; i < display_row_.size(); ++i) {
    const int code = fields_.display_row[i];
    display_row_[i]->setText(code == kUhfNone ? QString() : Translated(UhfFieldName(code)));
  }
}

void EpcFieldPicker::Reorder(int (*move)(UhfFieldLists&, int)) {
  const int row = FirstSelectedRow(selected_);
  if (row < 0) return;
  const int moved_to = move(fields_, row);
  Refresh();
  selected_->setCurrentRow(moved_to);
}

}  // namespace k470::gui
