// Wrapping of printed values, measured with a fixed-width stand-in font.
#include <QtTest>

#include "desktop/report/PrintLines.h"

using ledgerly::gui::SplitLines;

namespace {

// Every character 1/8 inch wide; a 5-inch page holds 40 characters, for label
// and line together.
constexpr double kPageWidth = 5.0;
double Width(const QString& text) {
  return text.size() * 0.125;
}
QStringList Split(const QString& text, const QString& label) {
  return SplitLines(text, label, Width, kPageWidth);
}

}  // namespace

class PrintLinesTest : public QObject {
  Q_OBJECT

 private slots:
  void splits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("lines");

    const QString label = QStringLiteral("Ref: ");  // 5 characters
    QTest::newRow("short value") << "ABC" << label << QStringList{"ABC"};
    QTest::newRow("exactly the line") << QString(35, 'A') << label << QStringList{QString(35, 'A')};
    QTest::newRow("wrapped at blanks")
        << "Must be numeric. No negative amounts; right justify and zero fill." << label
        << QStringList{"Must be numeric. No negative ", "amounts; right justify and zero ",
                       "fill."};
    QTest::newRow("label counts on every line")
        << "aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii" << QString(20, 'L')
        << QStringList{"aaaa bbbb cccc dddd ", "eeee ffff gggg hhhh ", "iiii"};
    QTest::newRow("word longer than a line is cut, nothing lost")
        << "[" + QString(98, 'X') + "]" << label
        << QStringList{"[" + QString(34, 'X'), QString(35, 'X'), QString(29, 'X') + "]"};
    QTest::newRow("blanks inside a long entry are kept")
        << "[JOHN" + QString(40, ' ') + "SMITH]" << label
        << QStringList{"[JOHN" + QString(30, ' '), QString(10, ' ') + "SMITH]"};
    QTest::newRow("one trailing blank dropped") << "ABC  " << label << QStringList{"ABC "};
    QTest::newRow("empty value is one empty line") << "" << label << QStringList{""};
    QTest::newRow("line feeds cut the text")
        << "Execution stopped:  \r\nRecord Length\r\n"
        << QString() << QStringList{"Execution stopped: ", "Record Length"};
    QTest::newRow("empty piece gives an empty line") << "A\r\n\r\nB\r\n"
                                                     << QString() << QStringList{"A", "", "B"};
    QTest::newRow("text after the last line feed is kept")
        << "A\r\nB" << QString() << QStringList{"A", "B"};
    QTest::newRow("each piece wraps on its own")
        << QString(50, 'Y') + "\r\nZ\r\n"
        << QString() << QStringList{QString(40, 'Y'), QString(10, 'Y'), "Z"};
  }

  void splits() {
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(QStringList, lines);
    QCOMPARE(Split(text, label), lines);
  }

  void everyLineFitsAndNothingIsLost() {
    QString entry = "[";
    for (int i = 0; i < 60; ++i) entry += QString(i % 7, QChar('A' + i % 26)) + QString(i % 3, ' ');
    entry += "]";
    const QString label = QStringLiteral("User Entry: ");
    const QStringList lines = Split(entry, label);
    QVERIFY(lines.size() > 3);
    for (const QString& line : lines) QVERIFY2(Width(label + line) <= 5.0, qPrintable(line));
    QCOMPARE(lines.join(QString()), entry);
  }

  void labelWiderThanTheLineStillEnds() {
    const QStringList lines = Split("ABC", QString(45, 'L'));
    QCOMPARE(lines, (QStringList{"A", "B", "C"}));
  }
};

QTEST_MAIN(PrintLinesTest)
#include "PrintLinesTest.moc"
