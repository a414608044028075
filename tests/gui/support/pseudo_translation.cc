// Makes the pseudo translation the translation test loads: every message of a
// .ts file, translated into itself lengthened by 40 % and put in brackets
// ("Volume :" becomes "[Volume :Vol]"). A text that shows unbracketed did not
// go through the translation; a text that no longer fits was laid out for
// English only. Usage: k470_pseudo_translation IN.ts OUT.ts
#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <cstdio>

namespace {

// The shortcut after a tab (menu texts) stays as it is, outside the brackets.
QString Pseudo(const QString& source) {
  const qsizetype tab = source.indexOf(QLatin1Char('\t'));
  const QString text = tab < 0 ? source : source.left(tab);
  const QString shortcut = tab < 0 ? QString() : source.mid(tab);
  // Lengthened by the text's own characters, so the width grows as a real
  // language's would; an ampersand is left out, as it shows no character.
  QString plain = text;
  plain.remove(QLatin1Char('&'));
  plain.remove(QLatin1Char('\n'));
  const auto extra = static_cast<qsizetype>(std::ceil(plain.size() * 0.4));
  QString padding;
  for (qsizetype i = 0; i < extra && !plain.isEmpty(); ++i) padding += plain[i % plain.size()];
  return QLatin1Char('[') + text + padding + QLatin1Char(']') + shortcut;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: k470_pseudo_translation IN.ts OUT.ts\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "k470_pseudo_translation: cannot open %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  QXmlStreamReader reader(&in);
  QXmlStreamWriter writer(&out);
  writer.setAutoFormatting(true);
  writer.writeStartDocument();
  writer.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
  writer.writeStartElement(QStringLiteral("TS"));
  writer.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
  bool in_context = false;
  while (!reader.atEnd()) {
    reader.readNext();
    if (!reader.isStartElement()) continue;
    if (reader.name() == QLatin1String("context")) {
      if (in_context) writer.writeEndElement();
      writer.writeStartElement(QStringLiteral("context"));
      in_context = true;
    } else if (reader.name() == QLatin1String("name")) {
      writer.writeTextElement(QStringLiteral("name"), reader.readElementText());
    } else if (reader.name() == QLatin1String("source")) {
      const QString source = reader.readElementText();
      writer.writeStartElement(QStringLiteral("message"));
      writer.writeTextElement(QStringLiteral("source"), source);
      writer.writeTextElement(QStringLiteral("translation"), Pseudo(source));
      writer.writeEndElement();
    }
  }
  writer.writeEndDocument();  // closes the last context
  if (reader.hasError()) {
    std::fprintf(stderr, "k470_pseudo_translation: %s: %s\n", argv[1],
                 qPrintable(reader.errorString()));
    return 1;
  }
  return 0;
}
