#include "widgets/named_controls.h"

#include "widgets/code_list.h"
#include "widgets/numeric_edit.h"

namespace k470::gui {

QLabel* Label(const QString& text, int id, QWidget* parent) {
  return Named(new QLabel(text, parent), id);
}

QLabel* Label(const QString& text, const char* name, QWidget* parent) {
  return Named(new QLabel(text, parent), name);
}

QCheckBox* Box(const QString& text, int id, QWidget* parent) {
  return Named(new QCheckBox(text, parent), id);
}

CodeList* List(std::span<const ListEntry> entries, int id, QWidget* parent) {
  auto* list = Named(new CodeList(parent), id);
  list->Fill(entries);
  return list;
}

QHBoxLayout* EditRow(NumericEdit* edit, QLabel* unit) {
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->addWidget(edit);
  row->addWidget(edit->spin());
  if (unit != nullptr) {
    row->addSpacing(6);
    row->addWidget(unit);
  }
  row->addStretch(1);
  return row;
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void SetEnabled(std::initializer_list<QWidget*> widgets, bool on) {
  for (QWidget* w : widgets) w->setEnabled(on);
}

QLabel* LabelOf(QWidget* control, QLabel* label) {
  label->setBuddy(control);
  return label;
}

void TabOrder(std::initializer_list<QWidget*> widgets) {
  QWidget* previous = nullptr;
  for (QWidget* w : widgets) {
    if (previous != nullptr) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

}  // namespace k470::gui
