// What a screen reader hears of the program's drop-down lists. On Linux (as
// on every Unix), Qt's own interface for a QComboBox gives the entry shown as
// the list's name, accessible name or not, so every list would be called by
// its value ("Low", "10 ms"). The interface installed here names a list as
// any other control is named: its accessible name, else the label whose
// buddy it is, else its group's title; the entry shown stays its value.
#pragma once

namespace k470::gui {

// For every QComboBox, CodeList included, from now on. Call it before the
// first list is shown; a second call does nothing.
void InstallNamedListAccessible();

}  // namespace k470::gui
