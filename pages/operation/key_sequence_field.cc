#include "pages/operation/key_sequence_field.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QValidator>

#include "pages/operation/key_picker_dialog.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"
#include "widgets/typing_limit.h"

namespace k470::gui {
namespace {

bool OpensPicker(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return modifiers == Qt::NoModifier;
    case Qt::Key_Down:
      return modifiers == Qt::AltModifier;
    default:
      return false;
  }
}

}  // namespace

KeySequenceField::KeySequenceField(QLineEdit* edit, std::size_t field_size, const AppState& state)
    : QObject(edit),
      edit_(edit),
      field_size_(field_size),
      state_(state),
      target_mark_(new QWidget(edit)) {
  // Typing stops at eight characters; a longer description stays whole.
  new TypingLimit(edit_, static_cast<int>(kKeyFieldSize));
  edit_->installEventFilter(this);
  edit_->setAccessibleDescription(tr("Press Enter, Space or Alt+Down to choose the keys"));
  target_mark_->setAutoFillBackground(true);
  target_mark_->setBackgroundRole(QPalette::Highlight);
  target_mark_->hide();
}

void KeySequenceField::SetBuffer(const KeyBuffer& buffer) {
  buffer_ = buffer;
  edit_->setText(Latin1(DescribeKeySequence(buffer_, field_size_, state_.selected_interface).text));
}

void KeySequenceField::OpenPicker() {
  edit_->setFocus(Qt::MouseFocusReason);
  target_mark_->setGeometry(edit_->rect());
  target_mark_->raise();
  target_mark_->show();
  KeyPickerDialog picker(buffer_, field_size_, state_.selected_interface, edit_->window());
  const bool ok = ExecDialog(picker) == QDialog::Accepted;
  const KeyComposition& result = picker.composition();
  if (ok) buffer_ = result.StoredBytes();
  // Cancel puts back the text the field had when the picker opened, also
  // over anything typed into it before.
  edit_->setText(Latin1(ok ? result.result_text() : result.opening_text()));
  target_mark_->hide();
}

bool KeySequenceField::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return false;
  if (event->type() == QEvent::KeyPress) {
    if (!OpensPicker(*static_cast<QKeyEvent*>(event))) return false;
    OpenPicker();
    return true;  // Enter does not reach the dialog's default button
  }
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
    return false;
  }
  if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
  if (event->type() == QEvent::MouseButtonPress) OpenPicker();
  return true;  // the caret stays where it was
}

}  // namespace k470::gui
