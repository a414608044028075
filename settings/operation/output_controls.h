// When the Operation page's output controls (the output sequence and the
// Counter, Timestamp and EPC Tag sections) are on. The page applies the rule
// at its load, in its Data Format handler and when the interface changes.
#pragma once

#include "core/app_state.h"

namespace k470 {

// Off only for a serial interface (Bluetooth SPP Slave, M912 VCOM) with
// Packet Data; a keyboard interface has no Packet Data and is always on.
bool OutputControlsEnabled(SelectedInterface interface, int data_format_code);

}  // namespace k470
