// Help > About: the program's name and version beside the reader's picture.
#pragma once

#include <QDialog>

namespace k470::gui {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  // Runs the dialog modally; OK, Escape and the close button end it.
  static void Show(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace k470::gui
