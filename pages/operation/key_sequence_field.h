// Makes a line edit a key-sequence field: it shows the description of its key
// buffer, and a left click, Enter, Space or Alt+Down opens the key picker on
// that buffer (a click without placing the caret). Typing other keys changes
// only what the field shows.
#pragma once

#include <QObject>
#include <cstddef>

#include "core/app_state.h"
#include "settings/operation/key_sequence.h"

class QLineEdit;
class QWidget;

namespace k470::gui {

class KeySequenceField : public QObject {
  Q_OBJECT

 public:
  // Owned by `edit`. The bytes are read for the interface selected in `state`
  // at each description and each opening of the picker.
  KeySequenceField(QLineEdit* edit, std::size_t field_size, const AppState& state);

  // Takes a buffer loaded from the image and shows its description.
  void SetBuffer(const KeyBuffer& buffer);
  const KeyBuffer& buffer() const { return buffer_; }
  QLineEdit* edit() const { return edit_; }

  // What a left click or the keys above do: runs the picker and, on OK,
  // takes its bytes.
  void OpenPicker();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* edit_;
  std::size_t field_size_;
  const AppState& state_;
  KeyBuffer buffer_{};
  QWidget* target_mark_;  // the solid block over the field while the picker is open
};

}  // namespace k470::gui
