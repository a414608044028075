#include "pages/system/interface_text_edit.h"

#include <algorithm>

#include "pages/system/interface_options.h"

namespace k470::gui {

InterfaceTextEdit::InterfaceTextEdit(SelectedInterface interface, const std::string& loaded,
                                     QWidget* parent)
    : QLineEdit(parent),
      loaded_(QString::fromLatin1(loaded.data(), static_cast<qsizetype>(loaded.size()))) {
  const bool m912 =
      interface == SelectedInterface::kM912Vcom || interface == SelectedInterface::kM912Hid;
  if (m912) {
    setMaxLength(static_cast<int>(kM912SerialFieldSize));
  } else {
    setMaxLength(static_cast<int>(std::max<std::size_t>(kMaxEditedPinLength, loaded.size())));
    // Once edited, the PIN is the user's and follows the 15-character rule.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (text != loaded_) setMaxLength(static_cast<int>(kMaxEditedPinLength));
    });
  }
  setText(loaded_);
}

}  // namespace k470::gui
