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

#include "settings/operation/operation_page_ids.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {
namespace {

namespace ids = operation_page_ids;

// 17 columns of 32 pixels for the widest grid, 17 rows of 21 for all of them.
constexpr QSize kGridAreaSize(544, 357);
constexpr int kResultTextIndent = 5;

const QColor kHeaderFill(192, 192, 192);
const QColor kDataLine(196, 196, 196);
const QColor kResultText(128, 128, 128);
constexpr std::array<const char*, 5> kModifierTexts = {"Add Shift", "Add Left Ctrl", "Add Left Alt",
                                                       "Add Right Ctrl", "Add Right Alt"};
constexpr std::array<ModifierFlags, 5> kModifierFlags = {kShift, kLeftCtrl, kLeftAlt, kRightCtrl,
                                                         kRightAlt};
constexpr std::array<int, 5> kModifierIds = {ids::kPickerShift, ids::kPickerLeftCtrl,
                                             ids::kPickerLeftAlt, ids::kPickerRightCtrl,
                                             ids::kPickerRightAlt};

}  // namespace

KeyGridView::KeyGridView(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::number(ids::kPickerGrid));
  setFixedSize(kGridAreaSize);
}

void KeyGridView::SetGrid(KeyGrid grid) {
  grid_ = grid;
  selected_column_ = 0;
  selected_row_ = 0;
  update();
}

void KeyGridView::Select(int column, int row) {
  update(CellRect(selected_column_, selected_row_));
  selected_column_ = column;
  selected_row_ = row;
  update(CellRect(column, row));
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
  const int columns = KeyGridColumns(grid_);
  const int w = CellWidth();
  const int h = CellHeight();
  const int right = (columns + 1) * w;
  const int bottom = (kKeyGridRows + 1) * h;

  painter.fillRect(QRect(0, 0, right, h), kHeaderFill);
  painter.fillRect(QRect(0, h, w, bottom - h), kHeaderFill);
  painter.fillRect(QRect(w, h, right - w, bottom - h), Qt::white);

  // Grey lines between the data cells, black ones between the header cells.
  painter.setPen(kDataLine);
  for (int c = 2; c <= columns; ++c) painter.drawLine(c * w, h, c * w, bottom);
  for (int r = 2; r <= kKeyGridRows; ++r) painter.drawLine(w, r * h, right, r * h);
  painter.setPen(Qt::black);
  for (int c = 1; c <= columns; ++c) painter.drawLine(c * w, 0, c * w, h);
  for (int r = 1; r <= kKeyGridRows; ++r) painter.drawLine(0, r * h, w, r * h);
  painter.drawLine(0, h, right, h);
  painter.drawLine(w, 0, w, bottom);
  painter.drawRect(0, 0, right - 1, bottom - 1);

  for (int c = 0; c < columns; ++c) {
    painter.drawText(QRect((c + 1) * w, 0, w, h), Qt::AlignCenter, Latin1(KeyGridColumnHeader(c)));
  }
  for (int r = 0; r < kKeyGridRows; ++r) {
    painter.drawText(QRect(0, (r + 1) * h, w, h), Qt::AlignCenter, Latin1(KeyGridRowHeader(r)));
  }
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < kKeyGridRows; ++r) {
      const QRect cell = CellRect(c, r);
      if (c == selected_column_ && r == selected_row_) {
        painter.fillRect(cell.adjusted(1, 1, 0, 0), Qt::blue);
        painter.setPen(Qt::white);
      } else {
        painter.setPen(Qt::black);
      }
      painter.drawText(cell, Qt::AlignCenter, CellText(c, r));
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

ResultLine::ResultLine(QWidget* parent) : QFrame(parent) {
  setObjectName(QString::number(ids::kPickerResult));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setFixedHeight(fontMetrics().height() + 8);
}

void ResultLine::SetText(const QString& text) {
  text_ = text;
  update();
}

void ResultLine::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setPen(kResultText);
  const QRect area = contentsRect().adjusted(kResultTextIndent, 0, 0, 0);
  painter.setClipRect(contentsRect());
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

KeyPickerDialog::KeyPickerDialog(std::span<const std::uint8_t> field, std::size_t field_size,
                                 SelectedInterface selected, QWidget* parent)
    : QDialog(parent), composition_(field, field_size, selected) {
  setWindowTitle(QStringLiteral("ASCII Table"));

  grid_ = new KeyGridView(this);
  connect(grid_, &KeyGridView::CellClicked, this, &KeyPickerDialog::CellClicked);

  key_type_group_ = new QGroupBox(QStringLiteral("Key Type"), this);
  scan_code_ = new QRadioButton(QStringLiteral("Scan Code"), key_type_group_);
  scan_code_->setObjectName(QString::number(ids::kPickerScanCode));
  normal_key_ = new QRadioButton(QStringLiteral("Normal Key"), key_type_group_);
  normal_key_->setObjectName(QString::number(ids::kPickerNormalKey));
  auto* type_column = new QVBoxLayout(key_type_group_);
  type_column->addWidget(scan_code_);
  type_column->addWidget(normal_key_);
  connect(scan_code_, &QRadioButton::clicked, this, [this] { KeyTypeClicked(KeyType::kScanCode); });
  connect(normal_key_, &QRadioButton::clicked, this,
          [this] { KeyTypeClicked(KeyType::kNormalKey); });

  key_status_group_ = new QGroupBox(QStringLiteral("Key Status"), this);
  auto* status_column = new QVBoxLayout(key_status_group_);
  for (std::size_t i = 0; i < modifiers_.size(); ++i) {
    modifiers_[i] = new QCheckBox(QString::fromLatin1(kModifierTexts[i]), key_status_group_);
    modifiers_[i]->setObjectName(QString::number(kModifierIds[i]));
    status_column->addWidget(modifiers_[i]);
    connect(modifiers_[i], &QCheckBox::clicked, this, [this, i] { ModifierClicked(i); });
  }

  const OkCancelButtons buttons = MakeOkCancelButtons(this);
  auto* clear = new QPushButton(QStringLiteral("Clear"), this);
  clear->setObjectName(QString::number(ids::kPickerClear));
  connect(clear, &QPushButton::clicked, this, &KeyPickerDialog::Clear);

  auto* side = new QVBoxLayout;
  side->addWidget(key_type_group_);
  side->addWidget(key_status_group_);
  side->addStretch(1);
  buttons.row->insertWidget(0, clear);

  result_ = new ResultLine(this);
  auto* result_row = new QHBoxLayout;
  result_row->addWidget(new QLabel(QStringLiteral("Resulting text :"), this));
  result_row->addWidget(result_, 1);

  auto* top = new QHBoxLayout;
  top->addWidget(grid_, 0, Qt::AlignTop);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(result_row);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

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
    ShowMessageBox(this, QMessageBox::Warning, QStringLiteral("Error"),
                   QString::fromLatin1(kTooManyCharactersMessage));
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
