// The "Advanced" dialog of the scan modes, opened by both "Advanced" buttons
// of the Operation page: the scan timing of Single TAG and Multi-TAG Mode and
// the reader's EPC filter. OK writes the image at once; Cancel writes nothing.
#pragma once

#include "core/app_state.h"

class QWidget;

namespace k470::gui {

// Runs the dialog modally over `parent` (through ExecDialog). Its title and
// which controls are enabled follow state.pending_scan_mode and
// state.beeper_on; the TAG Type list offers the types enabled in the image.
//
// Its controls have no numeric ids, so they are named for what they
// are: "scanningTimeout", "delay", "counterLimit" (each edit with its
// "...Spin" and "...Label"), "multiTagCount", "warnAtLimit", "filterType",
// "tagType", "byFilterValue", "byFirstField", "bySecondField", "filterValue",
// "digitCount", "digitFieldLabel", "digitRange", "pattern1", "pattern2",
// OK "1" and Cancel "2".
void OpenSingleTagModeDialog(AppState& state, QWidget* parent);

}  // namespace k470::gui
