// The EPC Tag group's data field picker: the display row of the four fields
// the reader sends, with the delimiter button and its two labels between
// them, and the available and selected list boxes with the buttons that move
// fields between and within them.
#pragma once

#include <QWidget>
#include <array>
#include <string_view>

#include "settings/operation/epc_data_fields.h"

class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace k470::gui {

class EpcFieldPicker : public QWidget {
  Q_OBJECT

 public:
  // `top_row` goes above the display row: the group's other fields share
  // the picker's rows, so the group's spare height spreads over all of them.
  EpcFieldPicker(QLayout* top_row, QWidget* parent);

  // Takes the lists of a load and shows them.
  void ShowFields(const UhfFieldLists& fields);
  // The display row by code, read from its texts, which name the fields.
  std::array<int, kUhfFieldPositions> DisplayRow() const;
  // On the delimiter button and both labels.
  void ShowDelimiterName(std::string_view name);

 signals:
  void DelimiterClicked();

 private:
  void Refresh();
  // "^" and "V": the moved field stays selected.
  void Reorder(int (*move)(UhfFieldLists&, int));

  UhfFieldLists fields_;
  std::array<QLineEdit*, kUhfFieldPositions> display_row_{};
  QPushButton* delimiter_;
  std::array<QLabel*, 2> delimiter_labels_{};
  QListWidget* available_;
  QListWidget* selected_;
};

}  // namespace k470::gui
