// What screen readers see of the key picker: the grid as a table whose cells
// are named by the keys they show and follow the selected cell, and the
// result line as a named text whose value is the composed sequence.
#pragma once

namespace k470::gui {

class KeyGridView;
class ResultLine;

// Lets Qt's accessibility ask for the grid's and the result line's
// interfaces; installs once however often it is called.
void InstallKeyPickerAccessibility();

// Tells screen readers that the selected cell moved (and, while the grid has
// the focus, that the focus went with it).
void NotifyKeyGridSelection(KeyGridView* grid);
// Tells screen readers that the grid now shows other keys.
void NotifyKeyGridReset(KeyGridView* grid);
// Tells screen readers that the result line's text changed.
void NotifyResultText(ResultLine* line);

}  // namespace k470::gui
