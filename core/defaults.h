// The factory defaults that File/New writes. The System page's and the
// Operation page's "Reset" buttons run only their own side.
#pragma once

#include "core/app_state.h"

namespace k470 {

inline constexpr char kFactoryBluetoothPin[] = "0000";

// Offsets 0-55, 205-206 and 390-452; the selected interface becomes 0.
void ApplySystemDefaults(AppState& state);

// Offsets 6-7, 80-204, 211-275 and 320-389; operation mode 0, pending scan mode 6.
void ApplyOperationDefaults(AppState& state);

// Both sides, then all fifteen tag types enabled and clock mode 1.
// Every bit the defaults do not name keeps its value.
void New(AppState& state);

}  // namespace k470
