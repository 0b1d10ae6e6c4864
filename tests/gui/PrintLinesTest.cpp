// Wrapping of printed values, measured with a fixed-width stand-in font.
#include <QtTest>

#include "desktop/report/PrintLines.h"

class PrintLinesTest : public QObject {
  Q_OBJECT
 private slots:
  // Characters 1/8 inch wide: a 5-inch line holds 40 with its label.
  void splits() {
    const auto width = [](const QString& text) { return text.size() * 0.125; };
    const struct {
      QString text, label;
      QStringList lines;
    } cases[] = {
        // At blanks, one trailing blank dropped; a word longer than a line is cut.
        {"Must be numeric. No negative amounts; right justify and zero fill. ",
         "Ref: ",
         {"Must be numeric. No negative ", "amounts; right justify and zero ", "fill."}},
        {"[" + QString(98, 'X') + "]",
         "Ref: ",
         {"[" + QString(34, 'X'), QString(35, 'X'), QString(29, 'X') + "]"}},
        {"Stopped:  \r\n\r\nRecord Length", "", {"Stopped: ", "", "Record Length"}},
    };
    for (const auto& c : cases) {
      QCOMPARE(ledgerly::gui::SplitLines(c.text, c.label, width, 5.0), c.lines);
    }
  }
};

QTEST_MAIN(PrintLinesTest)
#include "PrintLinesTest.moc"
