#include "shell/dialogs/upload_transfer.h"

#include "shell/dialogs/progress_window.h"
#include "widgets/modal.h"
#include "widgets/translated.h"

namespace k470::gui {

bool RunUploadTransfer(k470::SerialPort& port, k470::Clock& clock, k470::ByteSink& sink,
                       QWidget* parent) {
  bool ok = false;
  {
    ProgressWindow progress(parent);
    ok = k470::UploadMemorizedData(port, clock, sink, progress).ok;
  }
  if (ok) {
    ShowMessageBox(parent, QMessageBox::Information, Translated(k470::kUploadSucceededCaption),
                   Translated(k470::kUploadSucceededText));
  } else {
    ShowMessageBox(parent, QMessageBox::Warning, Translated(k470::kUploadFailedCaption),
                   Translated(k470::kUploadFailedText));
  }
  return ok;
}

}  // namespace k470::gui
