// k470_screenshots: renders the main window, the Device Settings sheet and
// every dialog into PNG files, without a display (QT_QPA_PLATFORM=offscreen)
// and without a reader; with options, under a dark palette, a larger font or
// another language. Usage: k470_screenshots [options] <folder>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>
#include <cstdio>

#include "shell/translations.h"
#include "shell/window_tour.h"

namespace {

// A dark theme as a desktop's dark mode gives it: light text on dark grey.
QPalette DarkPalette() {
  QPalette p;
  const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xe8, 0xe8, 0xe8);
  const QColor disabled(0x80, 0x80, 0x80), highlight(0x35, 0x84, 0xe4);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabled);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Light, QColor(0x4a, 0x4a, 0x4a));
  p.setColor(QPalette::Midlight, QColor(0x40, 0x40, 0x40));
  p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
  p.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x18));
  p.setColor(QPalette::Shadow, Qt::black);
  p.setColor(QPalette::Highlight, highlight);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, highlight);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, disabled);
  }
  return p;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Renders every window into <folder>/*.png."));
  parser.addHelpOption();
  const QCommandLineOption dark(QStringLiteral("dark"),
                                QStringLiteral("The Fusion style with a dark palette."));
  const QCommandLineOption points(QStringLiteral("font-size"),
                                  QStringLiteral("The application font at <points>."),
                                  QStringLiteral("points"));
  const QCommandLineOption language(QStringLiteral("language"),
                                    QStringLiteral("The translation for <locale>, e.g. ja_JP."),
                                    QStringLiteral("locale"));
  const QCommandLineOption translation(QStringLiteral("translation"),
                                       QStringLiteral("The translation in <file.qm>."),
                                       QStringLiteral("file.qm"));
  parser.addOptions({dark, points, language, translation});
  parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the PNG files go."));
  parser.process(app);

  if (parser.isSet(dark)) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
  }
  if (parser.isSet(points)) {
    QFont font = QApplication::font();
    font.setPointSize(parser.value(points).toInt());
    QApplication::setFont(font);
  }
  if (parser.isSet(language) &&
      !k470::gui::InstallTranslations(app, QLocale(parser.value(language)))) {
    std::fprintf(stderr, "k470_screenshots: no translation for %s\n",
                 qPrintable(parser.value(language)));
    return 1;
  }
  if (parser.isSet(translation) &&
      !k470::gui::InstallTranslationFile(app, parser.value(translation))) {
    std::fprintf(stderr, "k470_screenshots: cannot load %s\n",
                 qPrintable(parser.value(translation)));
    return 1;
  }

  const QStringList args = parser.positionalArguments();
  const QString folder = args.isEmpty() ? QStringLiteral("build/screenshots") : args.front();
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "k470_screenshots: cannot create %s\n", qPrintable(folder));
    return 1;
  }
  bool ok = true;
  k470::gui::TourWindows([&](QWidget& window, const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    ok = ok && saved;
  });
  return ok ? 0 : 1;
}
