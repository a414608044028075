// The "Advanced" dialog of the scan modes, opened by both "Advanced" buttons
// of the Operation page: the scan timing of Single TAG and Multi-TAG Mode and
// the reader's EPC filter. It writes nothing itself: it hands back what its
// caller stores.
#pragma once

#include <optional>

#include "core/app_state.h"
#include "settings/tagfilter/single_tag_mode_result.h"

class QWidget;

namespace k470::gui {

// Runs the dialog modally over `parent` (through ExecDialog). Its title and
// which controls are enabled follow state.pending_scan_mode and
// state.beeper_on; the TAG Type list offers the types enabled in the image.
//
// Returns what OK hands over, and nothing after Cancel. An OK that a pattern
// too large for its field stops has handed over the scan timing already: a
// Cancel after it returns that alone.
//
// Its controls have no numeric ids: settings/tagfilter/single_tag_mode_ids.h
// names them; OK is "1" and Cancel "2".
std::optional<SingleTagModeResult> OpenSingleTagModeDialog(const AppState& state, QWidget* parent);

}  // namespace k470::gui
