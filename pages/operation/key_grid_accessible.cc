#include "pages/operation/key_grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include "pages/operation/key_picker_dialog.h"
#include "widgets/named_controls.h"

namespace k470::gui {
namespace {

int Columns(const KeyGridView& grid) { return KeyGridColumns(grid.grid()); }

// One data cell of the grid. Cells have no object of their own: the table
// creates them as they are asked for and deletes them with itself.
class KeyCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  KeyCellAccessible(KeyGridView* grid, int column, int row)
      : grid_(grid), column_(column), row_(row) {}

  bool isValid() const override { return grid_ && column_ < Columns(*grid_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(grid_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && isValid() ? grid_->CellText(column_, row_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect cell = grid_->CellRect(column_, row_);
    return QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = isSelected();
    state.focused = state.selected && grid_->hasFocus();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface) {
      return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
  }

  bool isSelected() const override {
    return isValid() && grid_->selected_column() == column_ && grid_->selected_row() == row_;
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<KeyGridView> grid_;
  int column_;
  int row_;
};

// The grid as a table of its data cells; the header digits are the columns'
// and rows' descriptions. One cell, the selected one, is selected.
class KeyGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit KeyGridAccessible(KeyGridView* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~KeyGridAccessible() override {
    for (const QAccessible::Id id : cells_) QAccessible::deleteAccessibleInterface(id);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    return cellAt(index / columnCount(), index % columnCount());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr || !child->isValid() || cell->table() != this) return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint point = Grid().mapFromGlobal(QPoint(x, y));
    for (int column = 0; column < columnCount(); ++column) {
      for (int row = 0; row < rowCount(); ++row) {
        if (Grid().CellRect(column, row).contains(point)) return cellAt(row, column);
      }
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return Grid().hasFocus() ? SelectedCell() : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
    const int code = 16 * column + row;
    auto found = cells_.constFind(code);
    if (found == cells_.constEnd()) {
      found = cells_.insert(code, QAccessible::registerAccessibleInterface(
                                      new KeyCellAccessible(&Grid(), column, row)));
    }
    return QAccessible::accessibleInterface(*found);
  }
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override { return {SelectedCell()}; }
  QString columnDescription(int column) const override {
    return Latin1(KeyGridColumnHeader(column));
  }
  QString rowDescription(int row) const override { return Latin1(KeyGridRowHeader(row)); }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Columns(Grid()); }
  int rowCount() const override { return kKeyGridRows; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // Cells read the grid as it is; a cell of a column that went is invalid.
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  KeyGridView& Grid() const { return *static_cast<KeyGridView*>(widget()); }
  QAccessibleInterface* SelectedCell() const {
    return cellAt(Grid().selected_row(), Grid().selected_column());
  }

  mutable QHash<int, QAccessible::Id> cells_;  // by the cell's code
};

// The result line: a text named for what it holds, its value the sequence.
class ResultLineAccessible : public QAccessibleWidget {
 public:
  explicit ResultLineAccessible(ResultLine* line)
      : QAccessibleWidget(line, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return static_cast<ResultLine*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Factory(const QString& key, QObject* object) {
  if (key == QLatin1String(KeyGridView::staticMetaObject.className())) {
    if (auto* grid = qobject_cast<KeyGridView*>(object)) return new KeyGridAccessible(grid);
  }
  if (key == QLatin1String(ResultLine::staticMetaObject.className())) {
    if (auto* line = qobject_cast<ResultLine*>(object)) return new ResultLineAccessible(line);
  }
  return nullptr;
}

}  // namespace

void InstallKeyPickerAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

void NotifyKeyGridSelection(KeyGridView* grid) {
  if (!QAccessible::isActive()) return;
  const int child = grid->selected_row() * Columns(*grid) + grid->selected_column();
  QAccessibleEvent selection(grid, QAccessible::Selection);
  selection.setChild(child);
  QAccessible::updateAccessibility(&selection);
  if (grid->hasFocus()) {
    QAccessibleEvent focus(grid, QAccessible::Focus);
    focus.setChild(child);
    QAccessible::updateAccessibility(&focus);
  }
}

void NotifyKeyGridReset(KeyGridView* grid) {
  if (!QAccessible::isActive()) return;
  QAccessibleTableModelChangeEvent reset(grid, QAccessibleTableModelChangeEvent::ModelReset);
  QAccessible::updateAccessibility(&reset);
  NotifyKeyGridSelection(grid);
}

void NotifyResultText(ResultLine* line) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent change(line, line->text());
  QAccessible::updateAccessibility(&change);
}

}  // namespace k470::gui
