#include "settings/operation/epc_data_fields.h"

#include <algorithm>
#include <utility>

namespace k470 {
namespace {

bool IsOffered(int code) {
  return std::find(kOfferedUhfFields.begin(), kOfferedUhfFields.end(), code) !=
         kOfferedUhfFields.end();
}

void RefreshDisplayRow(UhfFieldLists& lists) {
  lists.display_row.fill(kUhfNone);
  const std::size_t n = std::min(lists.selected.size(), lists.display_row.size());
  std::copy_n(lists.selected.begin(), n, lists.display_row.begin());
}

bool RowIn(const std::vector<int>& list, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < list.size();
}

}  // namespace

std::string_view UhfFieldName(int code) {
  if (code < 0 || code >= static_cast<int>(kUhfFieldNames.size())) return {};
  return kUhfFieldNames[static_cast<std::size_t>(code)];
}

int UhfFieldCodeOf(std::string_view name) {
  for (int code : kOfferedUhfFields) {
    if (UhfFieldName(code) == name) return code;
  }
  return kUhfNone;
}

void ClearUhfDataCodes(SettingsImage& image) {
  for (int j = 0; j < kUhfFieldCount; ++j) {
    if (image.Field(UhfFieldCode(j)) == kUhfData) image.SetField(UhfFieldCode(j), 0);
  }
}

UhfFieldLists LoadUhfFields(const SettingsImage& image) {
  UhfFieldLists lists;
  lists.available.assign(kOfferedUhfFields.begin(), kOfferedUhfFields.end());
  for (unsigned j = 0; j < kUhfFieldPositions; ++j) {
    const int code = static_cast<int>(image.Field(UhfFieldCode(j)));
    if (!IsOffered(code)) continue;
    lists.display_row[j] = code;
    lists.selected.push_back(code);
    // A field stored twice is shown twice but leaves the available list once.
    const auto it = std::find(lists.available.begin(), lists.available.end(), code);
    if (it != lists.available.end()) lists.available.erase(it);
  }
  return lists;
}

void StoreUhfFields(const std::array<int, kUhfFieldPositions>& display_row, SettingsImage& image) {
  for (unsigned j = 0; j < kUhfFieldPositions; ++j) {
    const int code = IsOffered(display_row[j]) ? display_row[j] : kUhfNone;
    image.SetField(UhfFieldCode(j), static_cast<std::uint32_t>(code));
  }
}

bool MoveToSelected(UhfFieldLists& lists, int available_row) {
  if (!RowIn(lists.available, available_row)) return false;
  const auto it = lists.available.begin() + available_row;
  lists.selected.push_back(*it);
  lists.available.erase(it);
  RefreshDisplayRow(lists);
  return true;
}

bool MoveToAvailable(UhfFieldLists& lists, int selected_row) {
  if (!RowIn(lists.selected, selected_row)) return false;
  const auto it = lists.selected.begin() + selected_row;
  lists.available.push_back(*it);
  lists.selected.erase(it);
  RefreshDisplayRow(lists);
  return true;
}

int MoveUp(UhfFieldLists& lists, int selected_row) {
  if (!RowIn(lists.selected, selected_row) || selected_row == 0) return selected_row;
  const auto row = static_cast<std::size_t>(selected_row);
  std::swap(lists.selected[row], lists.selected[row - 1]);
  RefreshDisplayRow(lists);
  return selected_row - 1;
}

int MoveDown(UhfFieldLists& lists, int selected_row) {
  if (!RowIn(lists.selected, selected_row) ||
      static_cast<std::size_t>(selected_row) + 1 == lists.selected.size()) {
    return selected_row;
  }
  const auto row = static_cast<std::size_t>(selected_row);
  std::swap(lists.selected[row], lists.selected[row + 1]);
  RefreshDisplayRow(lists);
  return selected_row + 1;
}

}  // namespace k470
