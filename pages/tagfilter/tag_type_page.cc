#include "pages/tagfilter/tag_type_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/tagfilter/tag_type_page_ids.h"
#include "widgets/named_controls.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

namespace ids = tag_type_page_ids;

constexpr int kRowsPerColumn = 5;

}  // namespace

TagTypePage::TagTypePage(AppState& state, SheetContext&, QWidget* parent)
    : SettingsPage(parent), state_(state), snapshot_(state.image) {
  auto* group = Named(new QGroupBox(tr("TAG Activation"), this), ids::kTagActivation);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(24);
  for (std::size_t i = 0; i < kTagTypeCount; ++i) {
    const std::string_view name = kTagTypes[i].name;
    auto* box = Named(new QCheckBox(Translated(name), group), ids::kTagTypeBoxes[i]);
    const int n = static_cast<int>(i);
    grid->addWidget(box, n % kRowsPerColumn, n / kRowsPerColumn);
    connect(box, &QCheckBox::clicked, this, &TagTypePage::StoreBoxes);
    boxes_[i] = box;
  }

  auto* select_all = Named(new QPushButton(tr("Select All"), this), ids::kSelectAll);
  auto* clear_all = Named(new QPushButton(tr("Clear All"), this), ids::kClearAll);
  connect(select_all, &QPushButton::clicked, this, [this] { CheckAll(true); });
  connect(clear_all, &QPushButton::clicked, this, [this] { CheckAll(false); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(select_all);
  buttons->addWidget(clear_all);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  layout->addStretch(1);

  ShowMask();
}

void TagTypePage::OnCancel() {
  SetTagTypeMask(state_.image, TagTypeMask(snapshot_));
  ShowMask();
}

void TagTypePage::ShowMask() {
  const std::uint16_t mask = TagTypeMask(state_.image);
  for (std::size_t i = 0; i < kTagTypeCount; ++i) {
    boxes_[i]->setChecked(IsTagTypeEnabled(mask, kTagTypes[i].scheme));
  }
}

void TagTypePage::StoreBoxes() {
  std::uint16_t mask = 0;
  for (std::size_t i = 0; i < kTagTypeCount; ++i) {
    if (boxes_[i]->isChecked()) mask |= static_cast<std::uint16_t>(1u << i);
  }
  SetTagTypeMask(state_.image, mask);
}

void TagTypePage::CheckAll(bool on) {
  for (QCheckBox* box : boxes_) box->setChecked(on);
  StoreBoxes();
}

}  // namespace k470::gui
