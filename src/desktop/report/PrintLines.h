#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ledgerly::gui {

// The width of a text in inches, in the font being printed.
using TextWidthFn = std::function<double(const QString&)>;

// The printed lines of a value that follows label on the page (SplitLines).
// A text with line feeds is cut after each of them; each piece is wrapped by
// PrintLine and a piece with nothing but its line end gives one empty line.
// Never returns an empty list.
QStringList SplitLines(const QString& text, const QString& label, const TextWidthFn& width,
                       double page_width);

// Wraps one piece (PrintLine): it stays whole when label + piece fits within
// the page width, otherwise it is broken at blanks into lines
// that fit that width with the label in front of each (continuation lines sit
// in the same value column); a word too long for a line is cut where the line
// is full, so no character is lost. Line ends and one trailing blank are
// removed from the last line.
QStringList PrintLine(const QString& piece, const QString& label, const TextWidthFn& width,
                      double page_width);

}  // namespace ledgerly::gui
