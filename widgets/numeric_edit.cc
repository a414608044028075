#include "widgets/numeric_edit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace k470::gui {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  return button;
}

}  // namespace

NumericEdit::NumericEdit(int max_length, NumericCorrection correction, QWidget* parent)
    : QLineEdit(parent), correction_(std::move(correction)), spin_(new QWidget(parent)) {
  setMaxLength(max_length);
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));

  QToolButton* up = ArrowButton(Qt::UpArrow, "up", spin_);
  QToolButton* down = ArrowButton(Qt::DownArrow, "down", spin_);
  up->setAccessibleName(tr("Increase"));
  down->setAccessibleName(tr("Decrease"));
  auto* layout = new QVBoxLayout(spin_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up);
  layout->addWidget(down);
  connect(up, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(down, &QToolButton::clicked, this, [this] { StepBy(-1); });

  connect(this, &QLineEdit::textChanged, this, &NumericEdit::Correct);

  // As wide as its digits and no wider; the buttons as tall as the edit.
  const int digits_width =
      fontMetrics().horizontalAdvance(QString(max_length + 1, QLatin1Char('0')));
  setFixedWidth(digits_width + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
  spin_->setFixedHeight(sizeHint().height());
  spin_->setFixedWidth(16);
}

NumericEdit::~NumericEdit() { delete spin_; }

void NumericEdit::SetSpinRange(int min, int max) {
  spin_min_ = min;
  spin_max_ = max;
}

int NumericEdit::Value() const { return NumericValue(text().toStdString()); }

void NumericEdit::SetValue(int value) { setText(QString::number(value)); }

void NumericEdit::StepBy(int steps) { SetValue(std::clamp(Value() + steps, spin_min_, spin_max_)); }

void NumericEdit::Correct() {
  // The corrected text comes back through textChanged; that round is ours.
  if (correcting_) return;
  if (correction_) {
    const std::string text = this->text().toStdString();
    if (const auto corrected = correction_(text); corrected && *corrected != text) {
      correcting_ = true;
      setText(QString::fromStdString(*corrected));
      correcting_ = false;
    }
  }
  emit Changed();
}

void NumericEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && spin_) spin_->setEnabled(isEnabled());
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    StepBy(event->key() == Qt::Key_Up ? 1 : -1);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace k470::gui
