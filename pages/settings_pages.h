// The pages of the program's Device Settings sheet, in their order.
#pragma once

#include <vector>

#include "widgets/settings_page.h"

namespace k470::gui {

// "System", "TAG Type", "Operation", "Date && Time".
std::vector<PageEntry> DefaultSettingsPages();

}  // namespace k470::gui
