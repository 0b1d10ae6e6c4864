// The printed error report, printed through the print command into PDF files.
#include "desktop/report/ReportPrintDialog.h"
#include "desktop/report/ReportPrinter.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly::gui;
using namespace ledgerly::test;

class ReportPrinterTest : public QObject {
  Q_OBJECT

  ResultDbBuilder results_;
  TempFolder out_;
  QStringList whole_;  // the footers of the whole report
  const QString long_entry_ = "[" + QString(400, 'Q') + "]";
  int printouts_ = 0;
  std::optional<Qt::CursorShape> pointer_;  // while the pages are counted

  // Prints through the print command, answering its dialog; the text of each page printed.
  QStringList Print(std::optional<std::pair<int, int>> range, int copies = 1, bool accept = true) {
    ReportPrintDialog::Answer answer;
    answer.accept = accept;
    answer.pages = range;
    answer.copies = copies;
    answer.collate = true;
    answer.output_file = FileName(out_.path() / (std::to_string(++printouts_) + ".pdf"));
    ReportPrintDialog::setNextAnswer(answer);
    pointer_.reset();
    QTimer::singleShot(0, [this] {
      if (QApplication::overrideCursor()) pointer_ = QApplication::overrideCursor()->shape();
    });
    if (!PrintReport(nullptr, results_.path(), QFont("Courier", 10))) return {};
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", answer.output_file, "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    pages.removeLast();  // a form feed ends every page
    for (QString& page : pages) page = page.simplified();
    return pages;
  }
  static QStringList Footers(const QStringList& pages) {
    QStringList footers;
    for (const QString& page : pages) footers << "Page: " + page.section("Page: ", -1);
    return footers;
  }

 private slots:
  // 40 records with two errors each; the last has a long user entry.
  void initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
    results_.AddMisc("/data/W2REPORT.TXT", "12/06/2011");
    for (int r = 1; r <= 40; ++r) {
      results_.AddRecord(r, "RW", "123456789");
      const std::string entry = r < 40 ? "[00000012A45]" : long_entry_.toStdString();
      for (int e = 0; e < 2; ++e) {
        results_.AddError(r, "Social Security Wages [Position 210 - 220]", entry, "Not numeric.");
      }
    }
    ScriptEveryPrompt();
    ReportPrintDialog::setScripted(true);
    whole_ = Footers(Print({}));
    QVERIFY(whole_.size() >= 4);
  }

  // The dialog offers every page of the report; the printout holds what was
  // chosen, and pages past the end are said to be missing.
  void printCommand() {
    const int last = whole_.size();
    const QString missing =
        "Print: The report has %1 page(s).  Pages %2 to %3 do not exist and "
        "were not printed.";
    const struct {
      std::optional<std::pair<int, int>> pages;
      int copies;  // collated: the program prints each
      bool accept;
      QStringList footers;
      QStringList messages;
    } cases[] = {
        {{}, 1, true, whole_, {}},
        {{}, 3, true, whole_ + whole_ + whole_, {}},
        {std::pair(2, 3), 1, true, {"Page: 2", "Page: 3"}, {}},
        {std::pair(last, last + 2),
         1,
         true,
         {whole_.last()},
         {missing.arg(last).arg(last + 1).arg(last + 2)}},
        {std::pair(50, 60), 1, true, {}, {missing.arg(last).arg(50).arg(60)}},
        {{}, 1, false, {}, {}},
    };
    for (const auto& c : cases) {
      ScriptEveryPrompt();
      ReportPrintDialog::reset();
      const QStringList pages = Print(c.pages, c.copies, c.accept);
      QCOMPARE(Messages(), c.messages);
      QCOMPARE(pointer_, std::optional(Qt::WaitCursor));  // counting a long report takes a while
      QVERIFY(!QApplication::overrideCursor());
      const auto offer = ReportPrintDialog::offers().at(0);
      QCOMPARE(std::tuple(offer.min, offer.from_page, offer.to_page), std::tuple(1, 1, offer.max));
      QCOMPARE(offer.max, whole_.size());  // the true page count
      QCOMPARE(Footers(pages), c.footers);
      if (c.footers.isEmpty() || c.footers[0] != "Page: 1") continue;
      QVERIFY(pages[0].contains("LEDGERLY TAX YEAR 2011 ERROR REPORT"));
      QVERIFY(pages[0].contains("Record number: 1 Code: RW SSN: 123456789 Err Num: 1 "));
      QVERIFY(!pages[1].contains("LEDGERLY TAX YEAR"));
      // The long entry wraps in the value column and nothing of it is lost.
      QCOMPARE(pages.join("").remove(' ').count(long_entry_), 2 * c.footers.size() / whole_.size());
    }
  }

  // Text keeps half an inch from the paper's edges and runs to the right margin.
  void printoutKeepsToTheMargins() {
    QProcess bbox;
    bbox.start("pdftotext", {"-bbox", FileName(out_.path() / "1.pdf"), "-"});
    QVERIFY(bbox.waitForFinished());
    const QString boxes = QString::fromUtf8(bbox.readAllStandardOutput());
    const double margin = boxes.section("<page width=\"", 1).section('"', 0, 0).toDouble() - 36;
    double left = 1e9, right = 0;
    const QRegularExpression word("xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"");
    for (const auto& box : word.globalMatch(boxes)) {
      left = std::min(left, box.captured(1).toDouble());
      right = std::max(right, box.captured(2).toDouble());
    }
    QVERIFY2(left >= 35.5 && right <= margin + 0.5 && right > margin - 12,
             qPrintable(QString("%1 to %2 within 36 to %3").arg(left).arg(right).arg(margin)));
  }
};

QTEST_MAIN(ReportPrinterTest)
#include "ReportPrinterTest.moc"
