// The memorized-data upload as the main window runs it after the "Upload
// Memoried Data" dialog: the transfer with its progress window, then the
// message that says how it went.
#pragma once

#include "link/clock.h"
#include "link/memory_upload.h"
#include "link/serial_port.h"

class QWidget;

namespace k470::gui {

// Uploads from the open shell port into the open `sink`, showing the
// "Progress" window over `parent`, then "Uploading the Memorized Data
// Successful!" or "... Failed!". The port and the sink are closed on return.
// True when the upload succeeded.
bool RunUploadTransfer(k470::SerialPort& port, k470::Clock& clock, k470::ByteSink& sink,
                       QWidget* parent);

}  // namespace k470::gui
