// The numeric edits of the settings pages: digits only, up/down buttons
// beside them, and a correction that runs on every change of the text, also
// on the changes the page's load makes, so a stored 255 shows as 254 and OK
// stores what is shown.
#pragma once

#include <QLineEdit>
#include <QPointer>

#include "core/numeric_correction.h"

class QToolButton;

namespace k470::gui {

class NumericEdit : public QLineEdit {
  Q_OBJECT

 public:
  // At most `max_length` digits. The up/down buttons are made beside the edit
  // (same parent); the page places them and gives them their id.
  NumericEdit(int max_length, NumericCorrection correction, QWidget* parent = nullptr);
  ~NumericEdit() override;

  // The up/down buttons; they are enabled and disabled with the edit.
  QWidget* spin() const { return spin_; }
  // The range the buttons step in; 0 to 254 until set.
  void SetSpinRange(int min, int max);

  // The number the text reads, 0 when it is empty.
  int Value() const;
  // Shows `value` in decimal; the correction runs as for any change.
  void SetValue(int value);
  // What the buttons and the arrow keys do: the value moved by `steps`,
  // held inside the spin range.
  void StepBy(int steps);

 signals:
  // The text changed and has been corrected; text() is the corrected text.
  // Pages connect here rather than to textChanged.
  void Changed();

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Correct();

  NumericCorrection correction_;
  QPointer<QWidget> spin_;
  int spin_min_ = 0;
  int spin_max_ = 254;
  bool correcting_ = false;
};

}  // namespace k470::gui
