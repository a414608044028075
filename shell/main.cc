// K470Configuration: the desktop configuration utility for the K470 reader.
#include <QApplication>
#include <cstdio>

#include "core/app_state.h"
#include "link/com_port_settings.h"
#include "link/port_discovery.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K470Configuration"));
  QGuiApplication::setDesktopFileName(QStringLiteral("k470configuration"));

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

  k470::gui::MainWindow window(state, k470::gui::DefaultMainWindowServices(config_folder));
  window.show();
  return app.exec();
}
