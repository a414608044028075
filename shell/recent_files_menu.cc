#include "shell/recent_files_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

namespace k470::gui {
namespace {

// Long paths are cut in the middle, where the folders least worth seeing are.
constexpr int kEntryWidthInCharacters = 60;

}  // namespace

RecentFilesMenu::RecentFilesMenu(std::string config_folder, QWidget* parent)
    : QMenu(tr("Open &Recent"), parent), config_folder_(std::move(config_folder)) {
  setObjectName(QStringLiteral("recentFiles"));
  menuAction()->setObjectName(QStringLiteral("recentFilesMenu"));
  Refresh();
}

void RecentFilesMenu::Remember(const QString& path) {
  Refresh();  // what another running program added stays
  files_.Add(QFileInfo(path).absoluteFilePath().toStdString());
  Keep();
  Rebuild();
}

void RecentFilesMenu::Forget(const QString& path) {
  Refresh();
  files_.Remove(path.toStdString());
  Keep();
  Rebuild();
}

void RecentFilesMenu::Refresh() {
  if (!config_folder_.empty()) files_ = ReadRecentFiles(config_folder_);
  Rebuild();
}

void RecentFilesMenu::Keep() {
  if (config_folder_.empty()) return;
  errno = 0;
  if (!WriteRecentFiles(config_folder_, files_)) {
    // Only a convenience is lost; said where someone who looks will see it.
    std::fprintf(stderr, "K470Configuration: cannot keep the recent files in %s: %s\n",
                 config_folder_.c_str(), FileErrorText(errno).c_str());
  }
}

void RecentFilesMenu::Rebuild() {
  clear();
  const int width = fontMetrics().averageCharWidth() * kEntryWidthInCharacters;
  int number = 0;
  for (const std::string& kept : files_.paths()) {
    ++number;
    const QString path = QString::fromStdString(kept);
    const QString shown =
        fontMetrics().elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, width);
    QAction* entry = addAction(QStringLiteral("&%1 %2").arg(number).arg(
        QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&"))));
    entry->setObjectName(QStringLiteral("recentFile%1").arg(number));
    entry->setStatusTip(QDir::toNativeSeparators(path));
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, path] { emit FileChosen(path); });
  }
  addSeparator();
  QAction* clear_all = addAction(tr("Clear"));
  clear_all->setObjectName(QStringLiteral("clearRecentFiles"));
  clear_all->setStatusTip(tr("Empty the list of recent files"));
  connect(clear_all, &QAction::triggered, this, [this] {
    files_.Clear();
    Keep();
    Rebuild();
  });
  setEnabled(number > 0);
}

}  // namespace k470::gui
