// Small builders for page and dialog controls: each control carries its
// control id as its objectName, so tests and checks find it by id.
#pragma once

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QString>
#include <initializer_list>
#include <span>
#include <string_view>

#include "core/list_entry.h"

namespace k470::gui {

class CodeList;
class NumericEdit;

template <typename W>
W* Named(W* widget, int id) {
  widget->setObjectName(QString::number(id));
  return widget;
}

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* Label(const QString& text, int id, QWidget* parent);
QLabel* Label(const QString& text, const char* name, QWidget* parent);
QCheckBox* Box(const QString& text, int id, QWidget* parent);
// A list filled with `entries` (their texts translated), nothing selected.
CodeList* List(std::span<const ListEntry> entries, int id, QWidget* parent);

// A numeric edit and its spin buttons side by side, then `unit` ("minute").
QHBoxLayout* EditRow(NumericEdit* edit, QLabel* unit = nullptr);

// The reader's texts are 8-bit: Latin-1 shows every byte as itself.
QString Latin1(std::string_view text);

void SetEnabled(std::initializer_list<QWidget*> widgets, bool on);

// `label`, made the label of `control`: its mnemonic focuses the control and
// screen readers name the control by it.
QLabel* LabelOf(QWidget* control, QLabel* label);

// Tab visits `widgets` one after the other, in this order.
void TabOrder(std::initializer_list<QWidget*> widgets);

}  // namespace k470::gui
