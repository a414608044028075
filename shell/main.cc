// K470Configuration: the desktop configuration utility for the K470 reader.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "core/app_state.h"
#include "core/version.h"
#include "link/com_port_settings.h"
#include "link/port_discovery.h"
#include "shell/main_window.h"
#include "shell/translations.h"
#include "widgets/named_list_accessible.h"

namespace {

constexpr int kExitUsage = 2;

void NameTheProgram() {
  QCoreApplication::setApplicationName(QStringLiteral("K470Configuration"));
  QCoreApplication::setApplicationVersion(QLatin1String(k470::kProgramVersion));
}

// --help and --version print and end; they need no display, so they are
// answered before the window system is reached.
bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    for (const char* flag : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], flag) == 0) return true;
    }
  }
  return false;
}

// The settings file to open at start, if one is given; ends the program for
// --help, --version and a command line it cannot take (exit code 2).
std::optional<QString> ParseCommandLine(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Edits the settings of the K470 handheld UHF RFID reader, keeps them in "
                     "settings files (*.K470), reads them out of a reader and downloads them "
                     "into it."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("A settings file to open at start, as File > Open does."),
      QStringLiteral("[FILE]"));
  const auto refuse = [](const QString& problem) {
    std::fprintf(stderr, "K470Configuration: %s\nRun 'K470Configuration --help' for the options.\n",
                 qPrintable(problem));
    std::exit(kExitUsage);
  };
  if (!parser.parse(app.arguments())) refuse(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  if (parser.isSet(QStringLiteral("help-all"))) parser.showHelp(0);
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    refuse(QStringLiteral("give one settings file to open, not %1").arg(files.size()));
  if (files.isEmpty()) return std::nullopt;
  // Made absolute now: the file is named as the user gave it, from where the
  // program was started.
  return QFileInfo(files.front()).absoluteFilePath();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication app(argc, argv);
    NameTheProgram();
    ParseCommandLine(app);
  }
  QApplication app(argc, argv);
  NameTheProgram();
  QGuiApplication::setDesktopFileName(QStringLiteral("k470configuration"));
  // The screen in the user's language; files, reader commands and what is
  // printed on the terminal stay English.
  k470::gui::InstallTranslations(app, QLocale());
  const std::optional<QString> file = ParseCommandLine(app);

  // Start-up order: the configuration folder, the reader's ports, the port
  // remembered in the .ini file, then the window (which runs New).
  k470::AppState state;
  const std::string config_folder = k470::ConfigurationFolder();
  state.port_list = k470::DiscoverPorts();
  // An entry that cannot be used counts as none: the first reader found is
  // used, else COM Port Properties asks. Said on stderr for whoever looks.
  std::string ini_problem;
  state.configured_port = k470::ReadConfiguredPort(config_folder, &ini_problem);
  if (!ini_problem.empty()) std::fprintf(stderr, "K470Configuration: %s\n", ini_problem.c_str());
  state.reader_present = false;

  k470::gui::InstallNamedListAccessible();
  k470::gui::MainWindow window(state, k470::gui::DefaultMainWindowServices(config_folder));
  window.show();
  // Opened once the window is up, as File > Open would be.
  if (file) QTimer::singleShot(0, &window, [&window, path = *file] { window.OpenFile(path); });
  return app.exec();
}
