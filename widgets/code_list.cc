#include "widgets/code_list.h"
#include "widgets/translated.h"

namespace k470::gui {

CodeList::CodeList(QWidget* parent) : QComboBox(parent) {}

void CodeList::Fill(std::span<const ListEntry> entries) {
  clear();
  for (const ListEntry& entry : entries) {
    addItem(Translated(entry.text), entry.code);
  }
  setCurrentIndex(-1);
}

void CodeList::SelectCode(int code) { setCurrentIndex(findData(code)); }

int CodeList::SelectedCode() const { return currentIndex() < 0 ? kNoCode : currentData().toInt(); }

}  // namespace k470::gui
