// A length limit for an edit that stops typing past it but never cuts a text
// that is already longer (QLineEdit's own maximum would): a stored value
// that is longer shows, and is stored again, whole, and can still be shortened.
// An optional rule on the whole text refuses other edits (digits only, say).
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>

namespace k470::gui {

class TypingLimit : public QValidator {
 public:
  // True when the edit may hold `text`.
  using TextRule = std::function<bool(const QString& text)>;

  // Installs itself as the validator of `edit`.
  TypingLimit(QLineEdit* edit, int limit);

  void SetLimit(int limit) { limit_ = limit; }
  void SetRule(TextRule rule) { rule_ = std::move(rule); }
  State validate(QString& input, int& position) const override;

 private:
  int limit_;
  TextRule rule_;
  qsizetype shown_ = 0;  // the text's length before the change being validated
};

}  // namespace k470::gui
