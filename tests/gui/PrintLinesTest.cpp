// Wrapping of printed values, measured with a fixed-width stand-in font.
#include <QtTest>

#include "desktop/report/PrintLines.h"

namespace {

// Every character 1/8 inch wide; a 6.2-inch page leaves 5 inches, 40 characters,
// for label and line together.
double Width(const QString& text) {
  return text.size() * 0.125;
}
QStringList Split(const QString& text, const QString& label) {
  return ledgerly::gui::SplitLines(text, label, Width, 6.2);
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
    QTest::newRow("exactly the line") << QString(35, 'A') << label << QStringList{QString(35, 'A')};
    QTest::newRow("wrapped at blanks, one trailing blank dropped")
        << "Must be numeric. No negative amounts; right justify and zero fill. " << label
        << QStringList{"Must be numeric. No negative ", "amounts; right justify and zero ",
                       "fill."};
    QTest::newRow("word longer than a line is cut, nothing lost")
        << "[" + QString(98, 'X') + "]" << label
        << QStringList{"[" + QString(34, 'X'), QString(35, 'X'), QString(29, 'X') + "]"};
    QTest::newRow("line feeds cut the text, an empty piece is an empty line")
        << "Execution stopped:  \r\n\r\nRecord Length" << QString()
        << QStringList{"Execution stopped: ", "", "Record Length"};
    QTest::newRow("each piece wraps on its own")
        << QString(50, 'Y') + "\r\nZ\r\n"
        << QString() << QStringList{QString(40, 'Y'), QString(10, 'Y'), "Z"};
    QTest::newRow("label wider than the line still ends")
        << "ABC" << QString(45, 'L') << QStringList{"A", "B", "C"};
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
};

QTEST_MAIN(PrintLinesTest)
#include "PrintLinesTest.moc"
