// Wrapping of printed values, measured with a fixed-width stand-in font.
#include <QtTest>

#include "desktop/report/PrintLines.h"

using ledgerly::gui::SplitLines;

// Every character 1/8 inch wide: a 6.2-inch page leaves 5 inches, 40
// characters, for label and line together.
const auto kWidth = [](const QString& text) { return text.size() * 0.125; };

class PrintLinesTest : public QObject {
  Q_OBJECT

 private slots:
  void splits() {
    const struct {
      QString text, label;
      QStringList lines;
    } cases[] = {
        {QString(35, 'A'), "Ref: ", {QString(35, 'A')}},                         // exactly one line
        {"Must be numeric. No negative amounts; right justify and zero fill. ",  // one blank
                                                                                 // dropped
         "Ref: ",
         {"Must be numeric. No negative ", "amounts; right justify and zero ", "fill."}},
        {"[" + QString(98, 'X') + "]",  // a word longer than a line is cut
         "Ref: ",
         {"[" + QString(34, 'X'), QString(35, 'X'), QString(29, 'X') + "]"}},
        {"Stopped:  \r\n\r\nRecord Length", "", {"Stopped: ", "", "Record Length"}},
        {QString(50, 'Y') + "\r\nZ\r\n", "", {QString(40, 'Y'), QString(10, 'Y'), "Z"}},
        {"ABC", QString(45, 'L'), {"A", "B", "C"}},  // a label wider than the line
    };
    for (const auto& c : cases) QCOMPARE(SplitLines(c.text, c.label, kWidth, 6.2), c.lines);
  }

  void everyLineFitsAndNothingIsLost() {
    QString entry = "[";
    for (int i = 0; i < 60; ++i) entry += QString(i % 7, QChar('A' + i % 26)) + QString(i % 3, ' ');
    entry += "]";
    const QStringList lines = SplitLines(entry, "User Entry: ", kWidth, 6.2);
    QVERIFY(lines.size() > 3);
    for (const QString& line : lines)
      QVERIFY2(kWidth("User Entry: " + line) <= 5.0, qPrintable(line));
    QCOMPARE(lines.join(QString()), entry);
  }
};

QTEST_MAIN(PrintLinesTest)
#include "PrintLinesTest.moc"
