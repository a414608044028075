// The "Upload Memoried Data" dialog: chooses the text file that receives the
// reader's memorized data and opens the shell port and that file. It ends
// with Accepted only when both are open; the main window then runs the
// transfer (upload_transfer.h), which closes them.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "core/app_state.h"
#include "link/memory_upload.h"
#include "link/serial_port.h"
#include "shell/dialogs/shell_port_chooser.h"

class QLineEdit;

namespace k470::gui {

class UploadDialog : public QDialog {
  Q_OBJECT

 public:
  // Asks for the target file and returns its path; "" when the user cancels.
  using BrowseFunction = std::function<QString()>;

  // `shell_port` and `sink` are the main window's; on Accepted both are open.
  // `list_ports` rebuilds the port list, `set_status` writes the status bar.
  // All must outlive the dialog.
  UploadDialog(k470::AppState& state, k470::SerialPort& shell_port, k470::FileByteSink& sink,
               PortLister list_ports, StatusTextSink set_status, QWidget* parent = nullptr);

  // Replaces the save-file dialog that Browse opens (tests supply a path).
  void SetBrowseFunction(BrowseFunction browse) { browse_ = std::move(browse); }

  // The file chosen with Browse; "" until one was chosen.
  const ShellPortChooser& chooser() const { return chooser_; }

  // Browse: asks for the target file and shows it in "File Path :".
  void Browse();

  // OK: opens the chosen port, then creates the target file, replacing an
  // existing one. Closes with Accepted when both are open; when the port
  // cannot be opened, or the file cannot be created (also when none was
  // chosen), everything is closed again and the dialog stays open.
  void accept() override;

 private:
  // A "*.txt" save dialog that asks before replacing a file.
  QString AskForTargetFile();

  k470::SerialPort& port_;
  k470::FileByteSink& sink_;
  QLineEdit* path_;
  ShellPortChooser chooser_;
  BrowseFunction browse_;
  QString target_path_;
};

}  // namespace k470::gui
