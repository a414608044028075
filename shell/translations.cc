#include "shell/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace k470::gui {
namespace {

// Parented to the application, so it lives as long as the texts it serves.
bool Install(QCoreApplication& app, const QLocale& locale, const QString& name,
             const QString& folder) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
  // qtbase_*.qm: Qt's own buttons and dialogs. On Debian it is in Qt's folder;
  // on Windows our installer puts it in translations/ beside K470Configuration.exe.
  const QString name = QStringLiteral("qtbase");
  if (!Install(app, locale, name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    Install(app, locale, name,
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
  }
  return Install(app, locale, QStringLiteral("k470configuration"),
                 QString::fromLatin1(kTranslationsFolder));
}

bool InstallTranslationFile(QCoreApplication& app, const QString& qm_path) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(qm_path)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace k470::gui
