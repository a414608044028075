// The "Delimiter" dialog of the EPC Tag group: which of the four delimiter
// characters the reader puts between the UHF data fields.
#pragma once

#include <QDialog>
#include <array>

class QRadioButton;

namespace k470::gui {

class DelimiterDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with the radio button of `position` (0-3) checked.
  explicit DelimiterDialog(int position, QWidget* parent = nullptr);

  // The position last clicked; after Cancel the one the dialog opened with.
  int position() const { return position_; }

  void reject() override;

  // Runs the dialog modally and returns the position chosen, or `position`
  // when the dialog is closed without OK.
  static int Choose(int position, QWidget* parent);

 private:
  int opened_with_;
  int position_;
};

}  // namespace k470::gui
