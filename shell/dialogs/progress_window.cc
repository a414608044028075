#include "shell/dialogs/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include "shell/painting_waits.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 90;
constexpr int kBarMargin = 14;
constexpr int kBarHeight = 20;

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      text_(new QLabel(tr("Downloading..."), this)),
      bar_(new QProgressBar(this)) {
  setWindowTitle(tr("Progress"));
  setModal(false);
  text_->setObjectName(QStringLiteral("801"));
  text_->setGeometry(kBarMargin, 10, kWidth - 2 * kBarMargin, 20);
  bar_->setObjectName(QStringLiteral("progress_bar"));
  // The bar shows no percentage; its text only names it.
  bar_->setTextVisible(false);
  setFixedSize(kWidth, kHeight);
  PlaceBar();
}

void ProgressWindow::Begin(const std::string& text, const std::string& bar_text, int maximum) {
  text_->setText(Translated(text));
  const QString name = Translated(bar_text);
  bar_->setFormat(name);
  bar_->setAccessibleName(name);
  bar_->setRange(0, maximum);
  bar_->setValue(0);
  running_ = true;
  show();
  raise();
  Repaint();
}

void ProgressWindow::SetPosition(int position) {
  bar_->setValue(position);
  Repaint();
}

void ProgressWindow::End() {
  running_ = false;
  hide();
}

void ProgressWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceBar();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
  } else {
    QDialog::closeEvent(event);
  }
}

void ProgressWindow::reject() {
  if (!running_) QDialog::reject();
}

void ProgressWindow::PlaceBar() {
  const QSize client = size();
  bar_->setGeometry(kBarMargin, client.height() / 2, client.width() - 2 * kBarMargin, kBarHeight);
}

void ProgressWindow::Repaint() {
  // The transfer runs on the GUI thread and does not return to the event loop
  // until it ends; let the window paint now, but take no clicks or keys.
  ProcessEventsExceptInput();
}

}  // namespace k470::gui
