#include "shell/dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "widgets/dialog_picture.h"
#include "widgets/modal.h"

namespace k470::gui {
namespace {

constexpr QPoint kPictureAt{18, 22};
// The text starts to the right of the picture.
constexpr int kTextLeft = kPictureAt.x() + kDialogPictureSize + 16;

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About K470Configuration"));

  auto* text =
      new QLabel(tr("K470 Configuration, Version ") + QLatin1String(kProgramVersion), this);
  text->setObjectName(QStringLiteral("about_text"));
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kTextLeft, kPictureAt.y() + 8, 12, 12);
  layout->addWidget(text);
  layout->addSpacing(16);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::Show(QWidget* parent) {
  AboutDialog dialog(parent);
  ExecDialog(dialog);
}

void AboutDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  PaintDialogPicture(painter, QString::fromLatin1(kReaderDialogPicture), kPictureAt);
}

}  // namespace k470::gui
