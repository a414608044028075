// File › Open Recent: the settings files opened or saved last, newest first,
// numbered 1 to 8 as mnemonics, and "Clear". The list lives in a file of the
// program's own in the configuration folder and is read again each time the
// File menu opens, so two running programs do not undo each other's entries.
#pragma once

#include <QMenu>
#include <string>

#include "core/recent_files.h"

namespace k470::gui {

class RecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  // `config_folder` empty: the list is kept for this run only.
  RecentFilesMenu(std::string config_folder, QWidget* parent = nullptr);

  // Puts `path` first (made absolute) and keeps the list.
  void Remember(const QString& path);
  void Forget(const QString& path);
  // Reads the kept list again and rebuilds the entries.
  void Refresh();

  const RecentFiles& files() const { return files_; }

 signals:
  void FileChosen(const QString& path);

 private:
  void Rebuild();
  void Keep();

  std::string config_folder_;
  RecentFiles files_;
};

}  // namespace k470::gui
