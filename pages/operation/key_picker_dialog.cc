#include "pages/operation/key_picker_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "pages/operation/key_grid_accessible.h"
#include "settings/operation/operation_page_ids.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/palette_colors.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

namespace ids = operation_page_ids;

// The smallest cell: 17 columns of 32 pixels for the widest grid, 17 rows of
// 21 for all of them. A larger font makes the cells larger.
constexpr QSize kMinimumCell(32, 21);
constexpr int kResultTextIndent = 5;
constexpr std::array<KeyGrid, 3> kGrids = {KeyGrid::kAscii, KeyGrid::kNormalKey,
                                           KeyGrid::kScanCode};

// Header cells a fifth of the way from the button colour to its text (192
// grey on the usual light palette), the lines between data cells nearly a
// quarter of the way from the base colour to the text (196 grey).
constexpr double kHeaderShade = 0.2;
constexpr double kDataLineShade = 0.23;
// The result line's text: halfway between paper and ink, grey on white.
constexpr double kResultTextShade = 0.5;

constexpr std::array<const char*, 5> kModifierTexts = {
    QT_TRANSLATE_NOOP("k470::gui::KeyPickerDialog", "Add Shift"),
    QT_TRANSLATE_NOOP("k470::gui::KeyPickerDialog", "Add Left Ctrl"),
    QT_TRANSLATE_NOOP("k470::gui::KeyPickerDialog", "Add Left Alt"),
    QT_TRANSLATE_NOOP("k470::gui::KeyPickerDialog", "Add Right Ctrl"),
    QT_TRANSLATE_NOOP("k470::gui::KeyPickerDialog", "Add Right Alt")};
constexpr std::array<ModifierFlags, 5> kModifierFlags = {kShift, kLeftCtrl, kLeftAlt, kRightCtrl,
                                                         kRightAlt};
constexpr std::array<int, 5> kModifierIds = {ids::kPickerShift, ids::kPickerLeftCtrl,
                                             ids::kPickerLeftAlt, ids::kPickerRightCtrl,
                                             ids::kPickerRightAlt};

}  // namespace

KeyGridView::KeyGridView(QWidget* parent) : QWidget(parent) {
  InstallKeyPickerAccessibility();
  setObjectName(QString::number(ids::kPickerGrid));
  setAccessibleName(tr("Keys"));
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KeyGridView::SetGrid(KeyGrid grid) {
  grid_ = grid;
  selected_column_ = 0;
  selected_row_ = 0;
  update();
  NotifyKeyGridReset(this);
}

void KeyGridView::Select(int column, int row) {
  update(CellRect(selected_column_, selected_row_));
  selected_column_ = column;
  selected_row_ = row;
  update(CellRect(column, row));
  NotifyKeyGridSelection(this);
}

QSize KeyGridView::sizeHint() const {
  const QFontMetrics metrics(font());
  // An average character's room on either side of the widest label.
  const int padding = 2 * metrics.averageCharWidth();
  int width = kMinimumCell.width() * (KeyGridColumns(KeyGrid::kScanCode) + 1);
  for (const KeyGrid grid : kGrids) {
    const int columns = KeyGridColumns(grid);
    int widest = 0;
    for (int column = 0; column < columns; ++column) {
      widest = std::max(widest, metrics.horizontalAdvance(Latin1(KeyGridColumnHeader(column))));
      for (int row = 0; row < kKeyGridRows; ++row) {
        const auto code = static_cast<std::uint8_t>(16 * column + row);
        widest = std::max(widest, metrics.horizontalAdvance(Latin1(KeyLabel(grid, code))));
      }
    }
    width = std::max(width, (columns + 1) * (widest + padding));
  }
  const int cell_height = std::max(kMinimumCell.height(), metrics.height() + padding / 2);
  return QSize(width, (kKeyGridRows + 1) * cell_height);
}

int KeyGridView::CellWidth() const { return width() / (KeyGridColumns(grid_) + 1); }
int KeyGridView::CellHeight() const { return height() / (kKeyGridRows + 1); }

QRect KeyGridView::CellRect(int column, int row) const {
  return QRect((column + 1) * CellWidth(), (row + 1) * CellHeight(), CellWidth(), CellHeight());
}

QString KeyGridView::CellText(int column, int row) const {
  // Painted as plain text: an ampersand is a character here, not a mnemonic.
  return Latin1(KeyLabel(grid_, static_cast<std::uint8_t>(16 * column + row)));
}

void KeyGridView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  const QColor header =
      Blend(colors.color(QPalette::Button), colors.color(QPalette::ButtonText), kHeaderShade);
  const QColor data_line =
      Blend(colors.color(QPalette::Base), colors.color(QPalette::Text), kDataLineShade);
  const int columns = KeyGridColumns(grid_);

  // Fills and lines go on whole device pixels, every line as thick as the
  // others, so that the grid stays crisp and even at 150 % as at 100 %.
  const double scale = painter.deviceTransform().m11();
  const int line = std::max(1, static_cast<int>(scale));
  // The outer edge rounded down: at 150 % a widget of an odd size ends in half
  // a device pixel, and a frame line rounded up into it would not be seen.
  const int right = static_cast<int>(std::floor((columns + 1) * CellWidth() * scale));
  const int bottom = static_cast<int>(std::floor((kKeyGridRows + 1) * CellHeight() * scale));
  // Grid line k, counted from the outer edge, in device pixels.
  const auto x = [&](int k) {
    return std::min(static_cast<int>(std::lround(k * CellWidth() * scale)), right - line);
  };
  const auto y = [&](int k) {
    return std::min(static_cast<int>(std::lround(k * CellHeight() * scale)), bottom - line);
  };

  painter.save();
  painter.scale(1 / scale, 1 / scale);
  painter.fillRect(QRect(0, 0, right, y(1)), header);
  painter.fillRect(QRect(0, y(1), x(1), bottom - y(1)), header);
  painter.fillRect(QRect(x(1), y(1), right - x(1), bottom - y(1)), colors.base());
  const QRect selected(QPoint(x(selected_column_ + 1) + line, y(selected_row_ + 1) + line),
                       QPoint(x(selected_column_ + 2) - 1, y(selected_row_ + 2) - 1));
  painter.fillRect(selected, colors.highlight());
  if (hasFocus()) {
    // The focus frame: a line of the highlight's text colour inside the cell.
    const QRect frame = selected.adjusted(line, line, -line, -line);
    const QColor ink = colors.color(QPalette::HighlightedText);
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), line), ink);
    painter.fillRect(QRect(frame.left(), frame.bottom() - line + 1, frame.width(), line), ink);
    painter.fillRect(QRect(frame.left(), frame.top(), line, frame.height()), ink);
    painter.fillRect(QRect(frame.right() - line + 1, frame.top(), line, frame.height()), ink);
  }

  // Lines between the data cells in a light shade, between the header cells
  // in the headers' text colour.
  for (int c = 2; c <= columns; ++c) painter.fillRect(x(c), y(1), line, bottom - y(1), data_line);
  for (int r = 2; r <= kKeyGridRows; ++r) {
    painter.fillRect(x(1), y(r), right - x(1), line, data_line);
  }
  const QColor header_line = colors.color(QPalette::ButtonText);
  for (int c = 1; c <= columns; ++c) painter.fillRect(x(c), 0, line, y(1), header_line);
  for (int r = 1; r <= kKeyGridRows; ++r) painter.fillRect(0, y(r), x(1), line, header_line);
  painter.fillRect(0, y(1), right, line, header_line);
  painter.fillRect(x(1), 0, line, bottom, header_line);
  painter.fillRect(0, 0, right, line, header_line);
  painter.fillRect(0, bottom - line, right, line, header_line);
  painter.fillRect(0, 0, line, bottom, header_line);
  painter.fillRect(right - line, 0, line, bottom, header_line);
  painter.restore();

  const int w = CellWidth();
  const int h = CellHeight();
  painter.setPen(header_line);
  for (int c = 0; c < columns; ++c) {
    painter.drawText(QRect((c + 1) * w, 0, w, h), Qt::AlignCenter, Latin1(KeyGridColumnHeader(c)));
  }
  for (int r = 0; r < kKeyGridRows; ++r) {
    painter.drawText(QRect(0, (r + 1) * h, w, h), Qt::AlignCenter, Latin1(KeyGridRowHeader(r)));
  }
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < kKeyGridRows; ++r) {
      const bool is_selected = c == selected_column_ && r == selected_row_;
      painter.setPen(colors.color(is_selected ? QPalette::HighlightedText : QPalette::Text));
      painter.drawText(CellRect(c, r), Qt::AlignCenter, CellText(c, r));
    }
  }
}

void KeyGridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int column = event->position().toPoint().x() / CellWidth() - 1;
  const int row = event->position().toPoint().y() / CellHeight() - 1;
  if (column < 0 || row < 0 || column >= KeyGridColumns(grid_) || row >= kKeyGridRows) return;
  emit CellClicked(column, row);
}

void KeyGridView::keyPressEvent(QKeyEvent* event) {
  const int last_column = KeyGridColumns(grid_) - 1;
  const int last_row = kKeyGridRows - 1;
  const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
  int column = selected_column_;
  int row = selected_row_;
  switch (event->key()) {
    case Qt::Key_Left:
      column = std::max(column - 1, 0);
      break;
    case Qt::Key_Right:
      column = std::min(column + 1, last_column);
      break;
    case Qt::Key_Up:
      row = std::max(row - 1, 0);
      break;
    case Qt::Key_Down:
      row = std::min(row + 1, last_row);
      break;
    case Qt::Key_Home:  // the row's first cell; with Ctrl the grid's
      column = 0;
      if (control) row = 0;
      break;
    case Qt::Key_End:
      column = last_column;
      if (control) row = last_row;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      // Taken here, so that Enter does not press the dialog's OK.
      emit CellClicked(selected_column_, selected_row_);
      return;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  if (column != selected_column_ || row != selected_row_) Select(column, row);
}

void KeyGridView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update(CellRect(selected_column_, selected_row_));
  NotifyKeyGridSelection(this);
}

void KeyGridView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update(CellRect(selected_column_, selected_row_));
}

void KeyGridView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateGeometry();
}

ResultLine::ResultLine(QWidget* parent) : QFrame(parent) {
  InstallKeyPickerAccessibility();
  setObjectName(QString::number(ids::kPickerResult));
  setAccessibleName(tr("Key sequence"));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setFixedHeight(fontMetrics().height() + 8);
}

void ResultLine::SetText(const QString& text) {
  text_ = text;
  update();
  NotifyResultText(this);
}

void ResultLine::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setPen(
      Blend(palette().color(QPalette::Base), palette().color(QPalette::Text), kResultTextShade));
  const QRect area = contentsRect().adjusted(kResultTextIndent, 0, 0, 0);
  painter.setClipRect(contentsRect());
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

void ResultLine::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange) setFixedHeight(fontMetrics().height() + 8);
}

KeyPickerDialog::KeyPickerDialog(std::span<const std::uint8_t> field, std::size_t field_size,
                                 SelectedInterface selected, QWidget* parent)
    : QDialog(parent), composition_(field, field_size, selected) {
  setWindowTitle(tr("ASCII Table"));

  grid_ = new KeyGridView(this);
  connect(grid_, &KeyGridView::CellClicked, this, &KeyPickerDialog::CellClicked);

  key_type_group_ = new QGroupBox(tr("Key Type"), this);
  scan_code_ = new QRadioButton(tr("Scan Code"), key_type_group_);
  scan_code_->setObjectName(QString::number(ids::kPickerScanCode));
  normal_key_ = new QRadioButton(tr("Normal Key"), key_type_group_);
  normal_key_->setObjectName(QString::number(ids::kPickerNormalKey));
  auto* type_column = new QVBoxLayout(key_type_group_);
  type_column->addWidget(scan_code_);
  type_column->addWidget(normal_key_);
  connect(scan_code_, &QRadioButton::clicked, this, [this] { KeyTypeClicked(KeyType::kScanCode); });
  connect(normal_key_, &QRadioButton::clicked, this,
          [this] { KeyTypeClicked(KeyType::kNormalKey); });

  key_status_group_ = new QGroupBox(tr("Key Status"), this);
  auto* status_column = new QVBoxLayout(key_status_group_);
  for (std::size_t i = 0; i < modifiers_.size(); ++i) {
    modifiers_[i] = new QCheckBox(tr(kModifierTexts[i]), key_status_group_);
    modifiers_[i]->setObjectName(QString::number(kModifierIds[i]));
    status_column->addWidget(modifiers_[i]);
    connect(modifiers_[i], &QCheckBox::clicked, this, [this, i] { ModifierClicked(i); });
  }

  const OkCancelButtons buttons = MakeOkCancelButtons(this);
  auto* clear = new QPushButton(tr("Clear"), this);
  clear->setObjectName(QString::number(ids::kPickerClear));
  connect(clear, &QPushButton::clicked, this, &KeyPickerDialog::Clear);

  auto* side = new QVBoxLayout;
  side->addWidget(key_type_group_);
  side->addWidget(key_status_group_);
  side->addStretch(1);
  buttons.row->insertWidget(0, clear);

  result_ = new ResultLine(this);
  auto* result_row = new QHBoxLayout;
  result_row->addWidget(new QLabel(tr("Resulting text :"), this));
  result_row->addWidget(result_, 1);

  auto* top = new QHBoxLayout;
  top->addWidget(grid_, 0, Qt::AlignTop);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(result_row);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Tab follows the reading order: the grid, the key type and the modifiers
  // beside it, then the buttons from left to right.
  setTabOrder(modifiers_.back(), clear);
  setTabOrder(clear, buttons.ok);
  setTabOrder(buttons.ok, buttons.cancel);
  grid_->setFocus();

  result_->SetText(Latin1(composition_.result_text()));
  Layout();
}

void KeyPickerDialog::Layout() {
  grid_->SetGrid(composition_.grid());
  const bool keyboard = composition_.keyboard();
  key_type_group_->setVisible(keyboard);
  key_status_group_->setVisible(keyboard);
  if (!keyboard) return;
  const bool scan_codes = composition_.key_type() == KeyType::kScanCode;
  scan_code_->setChecked(scan_codes);
  normal_key_->setChecked(!scan_codes);
  // Tab comes to the checked key type; the arrow keys move to the other.
  scan_code_->setFocusPolicy(scan_codes ? Qt::StrongFocus : Qt::ClickFocus);
  normal_key_->setFocusPolicy(scan_codes ? Qt::ClickFocus : Qt::StrongFocus);
  key_status_group_->setEnabled(!scan_codes);
  if (scan_codes) return;
  for (std::size_t i = 0; i < modifiers_.size(); ++i) {
    modifiers_[i]->setChecked((composition_.modifiers() & kModifierFlags[i]) != 0);
  }
}

void KeyPickerDialog::CellClicked(int column, int row) {
  // The clicked cell is marked even when its key is refused.
  grid_->Select(column, row);
  const auto code = static_cast<std::uint8_t>(16 * column + row);
  if (composition_.AddKey(code) == KeyAddResult::kTooManyCharacters) {
    ShowMessageBox(this, QMessageBox::Warning, tr("Error"), Translated(kTooManyCharactersMessage));
    return;
  }
  result_->SetText(Latin1(composition_.result_text()));
}

void KeyPickerDialog::KeyTypeClicked(KeyType type) {
  composition_.SetKeyType(type);
  Layout();
  result_->SetText(QString());
}

void KeyPickerDialog::ModifierClicked(std::size_t index) {
  composition_.ToggleModifier(kModifierFlags[index]);
  modifiers_[index]->setChecked((composition_.modifiers() & kModifierFlags[index]) != 0);
}

void KeyPickerDialog::Clear() {
  composition_.Clear();
  result_->SetText(QString());
}

}  // namespace k470::gui
