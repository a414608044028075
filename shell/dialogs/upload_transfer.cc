#include "shell/dialogs/upload_transfer.h"

#include "shell/dialogs/progress_window.h"
#include "widgets/modal.h"

namespace k470::gui {

bool RunUploadTransfer(k470::SerialPort& port, k470::Clock& clock, k470::ByteSink& sink,
                       QWidget* parent) {
  bool ok = false;
  {
    ProgressWindow progress(parent);
    ok = k470::UploadMemorizedData(port, clock, sink, progress).ok;
  }
  if (ok) {
    ShowMessageBox(parent, QMessageBox::Information,
                   QString::fromLatin1(k470::kUploadSucceededCaption),
                   QString::fromLatin1(k470::kUploadSucceededText));
  } else {
    ShowMessageBox(parent, QMessageBox::Warning, QString::fromLatin1(k470::kUploadFailedCaption),
                   QString::fromLatin1(k470::kUploadFailedText));
  }
  return ok;
}

}  // namespace k470::gui
