// The drop-down lists of the settings pages. Every entry carries the code
// that is stored for it, and the page reads and sets the list by code, never
// by position.
#pragma once

#include <QComboBox>
#include <span>

#include "core/list_entry.h"

namespace k470::gui {

class CodeList : public QComboBox {
  Q_OBJECT

 public:
  explicit CodeList(QWidget* parent = nullptr);

  // Replaces the entries by `entries`, in their order; nothing is selected.
  void Fill(std::span<const ListEntry> entries);
  // Selects the entry that carries `code`; nothing when none does.
  void SelectCode(int code);
  // The code of the selected entry; kNoCode when nothing is selected.
  int SelectedCode() const;
  // The selected code, or `loaded` when nothing is selected: a stored code
  // that has no entry is kept, never replaced by "nothing selected".
  int SelectedCodeOr(int loaded) const {
    const int code = SelectedCode();
    return code == kNoCode ? loaded : code;
  }
};

}  // namespace k470::gui
