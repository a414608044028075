// The "TAG Type" page of the Device Settings sheet: which of the fifteen EPC
// schemes the reader accepts, one bit each in the tag-type mask. Every click
// writes the mask at once; Cancel on this page puts back the mask it found.
#pragma once

#include <array>

#include "core/app_state.h"
#include "settings/tagfilter/tag_types.h"
#include "widgets/settings_page.h"

class QCheckBox;

namespace k470::gui {

class TagTypePage : public SettingsPage {
  Q_OBJECT

 public:
  TagTypePage(AppState& state, SheetContext& context, QWidget* parent = nullptr);

  // The mask already holds what the boxes show.
  void Apply() override {}
  // Bits 0-14 back as they were when the page was created; bit 15 as it is.
  void OnCancel() override;

 private:
  void ShowMask();
  void StoreBoxes();
  void CheckAll(bool on);

  AppState& state_;
  SettingsImage snapshot_;
  std::array<QCheckBox*, kTagTypeCount> boxes_{};
};

}  // namespace k470::gui
