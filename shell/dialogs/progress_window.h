// The "Progress" window of the settings transfers and the memorized-data
// upload: a line of text and a bar, shown while a transfer blocks the GUI
// thread. It paints itself on every position change but takes no input.
#pragma once

#include <QDialog>
#include <string>

#include "link/progress.h"

class QLabel;
class QProgressBar;

namespace k470::gui {

class ProgressWindow : public QDialog, public k470::ProgressSink {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // ProgressSink: Begin shows the window (non-modal, over its parent) with
  // `text` and a bar named `bar_text` running from 0 to `maximum`; End hides it.
  void Begin(const std::string& text, const std::string& bar_text, int maximum) override;
  void SetPosition(int position) override;
  void End() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // A transfer cannot be stopped half-way: while it runs, closing the window
  // is refused.
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void PlaceBar();
  void Repaint();

  QLabel* text_;
  QProgressBar* bar_;
  bool running_ = false;
};

}  // namespace k470::gui
