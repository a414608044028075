#include "shell/settings_file_chooser.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "widgets/modal.h"

namespace k470::gui {
namespace {

std::optional<std::string> RunFileDialog(QFileDialog& dialog) {
  dialog.setNameFilter(QCoreApplication::translate("k470::gui", kSettingsFileFilter));
  if (ExecDialog(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return chosen.front().toStdString();
}

std::optional<std::string> ChooseFileToOpen(QWidget* owner) {
  QFileDialog dialog(owner, QCoreApplication::translate("k470::gui", "Open"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog);
}

std::optional<std::string> ChooseFileToSave(QWidget* owner) {
  QFileDialog dialog(owner, QCoreApplication::translate("k470::gui", "Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("K470"));
  return RunFileDialog(dialog);
}

}  // namespace

SettingsFileChooser SettingsFileDialogs() { return {ChooseFileToOpen, ChooseFileToSave}; }

}  // namespace k470::gui
