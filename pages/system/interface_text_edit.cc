#include "pages/system/interface_text_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "settings/system/interface_options.h"
#include "widgets/typing_limit.h"

namespace k470::gui {

InterfaceTextEdit::InterfaceTextEdit(SelectedInterface interface, const std::string& loaded,
                                     QWidget* parent)
    : QLineEdit(parent) {
  const bool m912 =
      interface == SelectedInterface::kM912Vcom || interface == SelectedInterface::kM912Hid;
  if (m912) {
    setMaxLength(static_cast<int>(kM912SerialFieldSize));
  } else {
    // Typing stops at 15 characters, but a longer PIN from a file is never
    // cut: replacing one of its characters keeps all 16.
    new TypingLimit(this, static_cast<int>(kMaxEditedPinLength));
  }
  setText(QString::fromLatin1(loaded.data(), static_cast<qsizetype>(loaded.size())));
}

QVBoxLayout* BluetoothBoxesAndText(const std::array<QCheckBox*, 4>& boxes, QLabel* label,
                                   QLineEdit* text) {
  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) grid->addWidget(boxes[i], i / 2, i % 2);
  auto* text_row = new QHBoxLayout;
  text_row->addWidget(label);
  text_row->addWidget(text, 1);
  auto* layout = new QVBoxLayout;
  layout->addLayout(grid);
  layout->addLayout(text_row);
  return layout;
}

}  // namespace k470::gui
