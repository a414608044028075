#include "widgets/typing_limit.h"

namespace k470::gui {

TypingLimit::TypingLimit(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit) {
  connect(edit, &QLineEdit::textChanged, this,
          [this](const QString& text) { shown_ = text.size(); });
  edit->setValidator(this);
}

QValidator::State TypingLimit::validate(QString& input, int&) const {
  if (input.size() > limit_ && input.size() > shown_) return Invalid;
  return !rule_ || rule_(input) ? Acceptable : Invalid;
}

}  // namespace k470::gui
