#include "pages/operation/delimiter_dialog.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/operation/epc_delimiter.h"
#include "settings/operation/operation_page_ids.h"
#include "widgets/modal.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {
namespace {

namespace ids = operation_page_ids;

struct Choice {
  int id;
  const char* text;
};
// By delimiter position.
constexpr std::array<Choice, kDelimiterCharacters.size()> kChoices = {
    {{ids::kDelimiterNone, QT_TRANSLATE_NOOP("k470::gui::DelimiterDialog", "No Delimiter")},
     {ids::kDelimiterTab, QT_TRANSLATE_NOOP("k470::gui::DelimiterDialog", " [Tab]")},
     {ids::kDelimiterComma, " [ , ]"},
     {ids::kDelimiterPeriod, " [ . ]"}}};
// Characters the reader could take but the program does not offer.
constexpr std::array<Choice, 5> kUnoffered = {
    {{ids::kDelimiterHyphen, " [ - ]"},
     {ids::kDelimiterColon, " [ : ]"},
     {ids::kDelimiterSlash, " [ / ]"},
     {ids::kDelimiterBackslash, " [ \\ ]"},
     {ids::kDelimiterNull, QT_TRANSLATE_NOOP("k470::gui::DelimiterDialog", " [NULL]")}}};

}  // namespace

DelimiterDialog::DelimiterDialog(int position, QWidget* parent)
    : QDialog(parent), opened_with_(position), position_(position) {
  setWindowTitle(tr("Delimiter"));
  auto* group = new QGroupBox(this);
  auto* column = new QVBoxLayout(group);
  for (int i = 0; i < static_cast<int>(kChoices.size()); ++i) {
    auto* radio = new QRadioButton(tr(kChoices[i].text), group);
    radio->setObjectName(QString::number(kChoices[i].id));
    radio->setChecked(i == position);
    column->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, i] { position_ = i; });
  }
  for (const Choice& choice : kUnoffered) {
    auto* radio = new QRadioButton(tr(choice.text), group);
    radio->setObjectName(QString::number(choice.id));
    radio->hide();
  }
  auto* fields = new QVBoxLayout;
  fields->addWidget(group);
  LayOutWithOkCancel(this, fields);
}

void DelimiterDialog::reject() {
  position_ = opened_with_;
  QDialog::reject();
}

int DelimiterDialog::Choose(int position, QWidget* parent) {
  DelimiterDialog dialog(position, parent);
  return ExecDialog(dialog) == QDialog::Accepted ? dialog.position() : position;
}

}  // namespace k470::gui
