#include "shell/dialogs/upload_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "widgets/modal.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {

UploadDialog::UploadDialog(k470::AppState& state, k470::SerialPort& shell_port,
                           k470::FileByteSink& sink, PortLister list_ports,
                           StatusTextSink set_status, QWidget* parent)
    : QDialog(parent),
      port_(shell_port),
      sink_(sink),
      path_(new QLineEdit(QDir::currentPath(), this)),
      chooser_(state, shell_port, std::move(list_ports), std::move(set_status), this),
      browse_([this] { return AskForTargetFile(); }) {
  setWindowTitle(tr("Upload Memoried Data"));

  auto* path_label = new QLabel(tr("File Path :"), this);
  path_label->setBuddy(path_);
  path_->setObjectName(QStringLiteral("file_path"));
  // The path comes from Browse only, whose dialog asks before an existing file
  // is replaced; a typed path would replace one without asking.
  path_->setReadOnly(true);
  path_->setMinimumWidth(320);
  auto* browse = new QPushButton(tr("Browse"), this);
  browse->setObjectName(QStringLiteral("browse"));
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, &UploadDialog::Browse);
  setTabOrder(path_, browse);  // before the port chooser below them

  auto* fields = new QGridLayout;
  fields->addWidget(path_label, 0, 0);
  fields->addWidget(path_, 0, 1);
  fields->addWidget(browse, 0, 2);
  chooser_.AddToGrid(*fields, 1);
  LayOutWithOkCancel(this, fields);
}

void UploadDialog::Browse() {
  const QString chosen = browse_ ? browse_() : QString();
  if (chosen.isEmpty()) return;
  target_path_ = chosen;
  path_->setText(chosen);
}

void UploadDialog::accept() {
  if (!chooser_.OpenChosenPort()) return;
  if (!sink_.Create(QFile::encodeName(target_path_).toStdString())) {
    // No message: the user sees the dialog still open and browses again.
    port_.Purge();
    port_.Close();
    chooser_.RestoreStatusText();
    return;
  }
  QDialog::accept();
}

QString UploadDialog::AskForTargetFile() {
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("*.txt"));
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  // Qt's save dialog asks before replacing a file and only takes a path whose
  // folder exists.
  dialog.setDirectory(target_path_.isEmpty() ? QDir::currentPath()
                                             : QFileInfo(target_path_).absolutePath());
  if (ExecDialog(dialog) != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

}  // namespace k470::gui
