#include "shell/dialogs/failed_dialog.h"

#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/dialog_picture.h"
#include "widgets/modal.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

constexpr int kTextLeft = 55;
constexpr int kFirstLineTop = 24;
constexpr int kLineStep = 15;
constexpr QPoint kPictureAt{12, 27};
// Room below the last line before the buttons start.
constexpr int kTextAreaHeight = kFirstLineTop + 5 * kLineStep + 16;

QFont LineFont() {
  QFont font;
  font.setStyleHint(QFont::SansSerif);
  font.setFamily(QStringLiteral("Sans Serif"));
  font.setPixelSize(14);
  font.setWeight(QFont::Normal);
  return font;
}

constexpr int ChoiceCode(k470::FailureChoice choice) { return static_cast<int>(choice); }

}  // namespace

FailedDialog::FailedDialog(const k470::FailedLines& lines, QWidget* parent)
    : QDialog(parent), lines_(lines) {
  setWindowTitle(tr("Failed!"));

  auto* retry = new QPushButton(tr("Retry"), this);
  retry->setObjectName(QStringLiteral("4"));
  auto* com_setting = new QPushButton(tr("COM Setting"), this);
  com_setting->setObjectName(QStringLiteral("1"));
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("2"));
  for (QPushButton* button : {retry, com_setting, cancel}) button->setAutoDefault(false);
  com_setting->setDefault(true);
  com_setting->setFocus();

  connect(retry, &QPushButton::clicked, this,
          [this] { done(ChoiceCode(k470::FailureChoice::kRetry)); });
  connect(com_setting, &QPushButton::clicked, this,
          [this] { done(ChoiceCode(k470::FailureChoice::kComSetting)); });
  connect(cancel, &QPushButton::clicked, this,
          [this] { done(ChoiceCode(k470::FailureChoice::kCancel)); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(retry);
  buttons->addWidget(com_setting);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addSpacing(kTextAreaHeight);
  layout->addLayout(buttons);

  // Wide enough for the longest line at its painted size.
  const QFontMetrics metrics(LineFont());
  int text_width = 0;
  for (const std::string& line : lines_) {
    text_width = std::max(text_width, metrics.horizontalAdvance(Translated(line)));
  }
  setFixedWidth(std::max(420, kTextLeft + text_width + 24));
  setFixedHeight(sizeHint().height());
}

k470::FailureChoice FailedDialog::Ask(const k470::FailedLines& lines, QWidget* parent) {
  FailedDialog dialog(lines, parent);
  switch (ExecDialog(dialog)) {
    case ChoiceCode(k470::FailureChoice::kRetry):
      return k470::FailureChoice::kRetry;
    case ChoiceCode(k470::FailureChoice::kComSetting):
      return k470::FailureChoice::kComSetting;
    default:
      return k470::FailureChoice::kCancel;
  }
}

void FailedDialog::reject() { done(ChoiceCode(k470::FailureChoice::kCancel)); }

void FailedDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  PaintDialogPicture(painter, QString::fromLatin1(kFailedPicture), kPictureAt);

  painter.setFont(LineFont());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBackgroundMode(Qt::TransparentMode);
  // A line's y is the top of its text; the baseline sits one ascent lower.
  const int ascent = painter.fontMetrics().ascent();
  for (std::size_t n = 0; n < lines_.size(); ++n) {
    const int top = kFirstLineTop + kLineStep * static_cast<int>(n);
    painter.drawText(QPoint(kTextLeft, top + ascent), Translated(lines_[n]));
  }
}

}  // namespace k470::gui
