// Wrapping of printed values, measured with a fixed-width stand-in font.
#include <QtTest>

#include "desktop/report/PrintLines.h"

class PrintLinesTest : public QObject {
  Q_OBJECT

 private slots:
  // Every character 1/8 inch wide: a 6.2-inch page leaves 5 inches, 40
  // characters, for label and line together.
  void splits() {
    const auto width = [](const QString& text) { return text.size() * 0.125; };
    const struct {
      QString text, label;
      QStringList lines;
    } cases[] = {
        {QString(35, 'A'), "Ref: ", {QString(35, 'A')}},                         // exactly one line
        {"Must be numeric. No negative amounts; right justify and zero fill. ",  // one blank
                                                                                 // dropped
         "Ref: ",
         {"Must be numeric. No negative ", "amounts; right justify and zero ", "fill."}},
        {"[" + QString(98, 'X') + "]",  // a word longer than a line is cut, nothing lost
         "Ref: ",
         {"[" + QString(34, 'X'), QString(35, 'X'), QString(29, 'X') + "]"}},
        {"Stopped:  \r\n\r\nRecord Length", "", {"Stopped: ", "", "Record Length"}},
        {QString(50, 'Y') + "\r\nZ\r\n", "", {QString(40, 'Y'), QString(10, 'Y'), "Z"}},
        {"ABC", QString(45, 'L'), {"A", "B", "C"}},  // a label wider than the line
    };
    for (const auto& c : cases) {
      QCOMPARE(ledgerly::gui::SplitLines(c.text, c.label, width, 6.2), c.lines);
    }
  }
};

QTEST_MAIN(PrintLinesTest)
#include "PrintLinesTest.moc"
