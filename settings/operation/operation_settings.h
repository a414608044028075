// The left half of the Operation page as values (scan mode, Memory Data, data
// format, Transmission Buffer, Output Sequence), loaded and stored in its orders.
#pragma once

#include <array>
#include <cstddef>

#include "core/app_state.h"
#include "settings/operation/key_sequence.h"
#include "settings/operation/operation_lists.h"

namespace k470 {

// Codes as the page's lists carry them. A list code of kNoCode (or any
// code its bits cannot hold) stores nothing: the image keeps the code it had,
// which is how a code without a list entry survives OK.
struct OperationSettings {
  bool memory_mode = false;
  int memory_delay = 0;
  int data_format = 0;
  bool transmission_buffer = false;
  int transmit_delay = 0;
  std::array<int, 3> output_sequence{};  // first, second, third section

  friend bool operator==(const OperationSettings&, const OperationSettings&) = default;
};

// The Data Format entry to select for a stored code: over a serial interface
// the code itself when the list has it, over a keyboard interface "Raw Data"
// for 2 and "Hexadecimal" for every other code; kNoCode otherwise.
int DataFormatToSelect(int stored_code, SelectedInterface selected);

// Reads the fields as the lists select them (codes without an entry are
// returned as stored). The hidden operation mode is shown from state as it is.
OperationSettings LoadOperationSettings(const AppState& state);

// Opening the page: the pending scan mode becomes the stored one, whatever
// its value.
void AdoptStoredScanMode(AppState& state);

// Byte 80 from the pending scan mode, then byte 6, 320, the word at 321 and
// byte 7. The operation mode is stored nowhere.
void StoreOperationSettings(const OperationSettings& settings, AppState& state);

// A scan-mode radio button: the pending scan mode becomes `mode`; choosing
// Single TAG Mode also resets its bits of byte 88 in the image at once.
// Returns false, changing nothing, for a mode that is not 6, 7 or 9.
bool ChooseScanMode(AppState& state, int mode);

}  // namespace k470
