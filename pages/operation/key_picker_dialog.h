// The "ASCII Table" key picker: a grid of the reader's keys that composes the
// key sequence of one prefix, suffix or padding field. KeyComposition does
// the work; the dialog paints it and hands its clicks on.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/app_state.h"
#include "settings/operation/key_composition.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace k470::gui {

// The grid area (801): a header row and column of hexadecimal digits around
// the data cells; the cell in data column c, row r holds the code 16 * c + r.
// Its cells are sized from its font so that every key's label fits, and it
// is worked by keyboard as well: the arrow keys move the selected cell, Enter
// or Space adds its key as a click does.
class KeyGridView : public QWidget {
  Q_OBJECT

 public:
  explicit KeyGridView(QWidget* parent = nullptr);

  // Shows `grid` with data cell (0, 0) selected.
  void SetGrid(KeyGrid grid);
  KeyGrid grid() const { return grid_; }

  // Highlights one data cell; the one highlighted before is drawn plainly again.
  void Select(int column, int row);
  int selected_column() const { return selected_column_; }
  int selected_row() const { return selected_row_; }

  // Where data cell (column, row) is painted and where a click finds it.
  QRect CellRect(int column, int row) const;
  // The label a data cell shows.
  QString CellText(int column, int row) const;

  // Room for the widest of the three grids at the widget's font, never less
  // than 17 columns of 32 pixels by 17 rows of 21.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // A click on a data cell, or Enter or Space on the selected one; clicks on
  // the headers or beside the cells give none.
  void CellClicked(int column, int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int CellWidth() const;
  int CellHeight() const;

  KeyGrid grid_ = KeyGrid::kAscii;
  int selected_column_ = 0;
  int selected_row_ = 0;
};

// The result line (802): the composed sequence's text, in a muted colour on
// the palette's base; screen readers read the text as its value.
class ResultLine : public QFrame {
  Q_OBJECT

 public:
  explicit ResultLine(QWidget* parent = nullptr);

  void SetText(const QString& text);
  const QString& text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QString text_;
};

class KeyPickerDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens on the first `field_size` bytes of a field, read for the interface
  // `selected`. The dialog changes no field; its owner takes the result.
  KeyPickerDialog(std::span<const std::uint8_t> field, std::size_t field_size,
                  SelectedInterface selected, QWidget* parent = nullptr);

  const KeyComposition& composition() const { return composition_; }

 private:
  void CellClicked(int column, int row);
  void KeyTypeClicked(KeyType type);
  void ModifierClicked(std::size_t index);
  void Clear();
  // Groups, grid and boxes as the composition stands.
  void Layout();

  KeyComposition composition_;
  KeyGridView* grid_;
  QGroupBox* key_type_group_;
  QRadioButton* scan_code_;
  QRadioButton* normal_key_;
  QGroupBox* key_status_group_;
  std::array<QCheckBox*, 5> modifiers_{};
  ResultLine* result_;
};

}  // namespace k470::gui
