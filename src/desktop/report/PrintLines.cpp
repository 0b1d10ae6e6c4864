#include "desktop/report/PrintLines.h"

namespace ledgerly::gui {
namespace {

QString WithoutLineEnd(QString text) {
  while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
  return text;
}

// A word with the blanks that follow it: the unit lines are broken between.
QStringList Tokens(const QString& piece) {
  QStringList tokens;
  QString token;
  for (qsizetype i = 0; i < piece.size(); ++i) {
    token += piece[i];
    const bool at_break =
        piece[i] == QLatin1Char(' ') && (i + 1 == piece.size() || piece[i + 1] != QLatin1Char(' '));
    if (at_break) {
      tokens << token;
      token.clear();
    }
  }
  if (!token.isEmpty()) tokens << token;
  return tokens;
}

}  // namespace

QStringList PrintLine(const QString& piece, const QString& label, const TextWidthFn& width,
                      double page_width) {
  const auto fits = [&](const QString& line) { return width(label + line) <= page_width; };

  QStringList lines;
  const QString text = WithoutLineEnd(piece);
  if (fits(text)) {
    lines << text;
  } else {
    QString line;
    for (QString token : Tokens(text)) {
      if (fits(line + token)) {
        line += token;
        continue;
      }
      if (!line.isEmpty()) lines << line;
      // A word wider than a line is cut where the line is full (one character at least).
      while (!token.isEmpty() && !fits(token)) {
        qsizetype count = 1;
        while (count < token.size() && fits(token.left(count + 1))) ++count;
        lines << token.left(count);
        token.remove(0, count);
      }
      line = token;
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
  }
  QString& last = lines.last();
  last = WithoutLineEnd(last);
  if (last.endsWith(QLatin1Char(' '))) last.chop(1);
  return lines;
}

QStringList SplitLines(const QString& text, const QString& label, const TextWidthFn& width,
                       double page_width) {
  if (!text.contains(QLatin1Char('\n'))) return PrintLine(text, label, width, page_width);
  QStringList lines;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    end = end < 0 ? text.size() : end + 1;
    const QString piece = text.mid(start, end - start);
    if (WithoutLineEnd(piece).isEmpty()) {
      lines << QString();
    } else {
      lines << PrintLine(piece, label, width, page_width);
    }
    start = end;
  }
  return lines;
}

}  // namespace ledgerly::gui
