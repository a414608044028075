// The user's language on screen: the program's own translation and Qt's (the
// standard buttons, the file dialogs), chosen by the locale. Texts without a
// translation, and every text for English, stay as written.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace k470::gui {

// Where the program's translations are kept: embedded in the program.
inline constexpr char kTranslationsFolder[] = ":/i18n";

// Installs on `app` the translations for `locale` that exist: the program's
// from kTranslationsFolder, Qt's from Qt's own folder or, where Qt is shipped
// beside the program (Windows), from its translations folder. Returns whether
// the program's own was found.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale);

// Installs the translation file `qm_path` alone (a made-up language for
// tests and screenshots); false when it cannot be loaded.
bool InstallTranslationFile(QCoreApplication& app, const QString& qm_path);

}  // namespace k470::gui
