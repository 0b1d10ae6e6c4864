// The printed error report, printed through the print command into PDF files.
#include <QPrinter>

#include "desktop/report/PagePrinter.h"
#include "desktop/report/ReportPrintDialog.h"
#include "desktop/report/ReportPrinter.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly::gui;
using namespace ledgerly::test;
using Answer = ReportPrintDialog::Answer;
Q_DECLARE_METATYPE(Answer)

namespace {

const QFont kFont("Courier", 10);

// Records RW 1..records, each with errors_each errors.
void FillResults(ResultDbBuilder& results, int records, int errors_each, const std::string& entry) {
  results.Exec("BEGIN");
  results.AddMisc("/data/W2REPORT.TXT", "12/06/2011");
  for (int r = 1; r <= records; ++r) {
    results.AddRecord(r, "RW", "123456789");
    for (int e = 0; e < errors_each; ++e) {
      results.AddError(r, "Social Security Wages [Position 210 - 220]", entry, "Must be numeric.");
    }
  }
  results.Exec("COMMIT");
}

// The footer of each page.
QStringList Footers(const QStringList& pages) {
  QStringList footers;
  for (const QString& page : pages) footers << "Page: " + page.section("Page: ", -1);
  return footers;
}

}  // namespace

class ReportPrinterTest : public QObject {
  Q_OBJECT

  ResultDbBuilder results_;  // 40 records with two errors each
  TempFolder out_;
  QStringList whole_;  // the pages of the whole report
  int printouts_ = 0;

  // Prints through the print command, answering its dialog; the text of each page printed.
  QStringList Print(Answer answer) {
    answer.output_file = FileName(out_.path() / (std::to_string(++printouts_) + ".pdf"));
    ReportPrintDialog::setNextAnswer(answer);
    if (!PrintReport(nullptr, results_.path(), kFont)) return {};
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", answer.output_file, "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    pages.removeLast();  // a form feed ends every page
    for (QString& page : pages) page = page.simplified();
    return pages;
  }

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
    FillResults(results_, 40, 2, "[00000012A45]");
    ReportPrintDialog::setScripted(true);
    whole_ = Print({});
    QVERIFY(whole_.size() >= 4);
  }
  void init() { ReportPrintDialog::reset(); }

  // The dialog offers every page of the estimate; the printout holds what was chosen.
  void printCommand_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("footers");
    const QStringList all = Footers(whole_);
    Answer answer;
    QTest::newRow("all pages") << answer << all;
    answer.copies = 3;
    QTest::newRow("copies made by the printer") << answer << all;
    answer.collate = true;
    QTest::newRow("collated copies printed each") << answer << all + all + all;
    answer = {};
    answer.pages = {2, 3};
    QTest::newRow("pages 2 to 3") << answer << QStringList({"Page: 2", "Page: 3"});
    answer.pages = {50, 60};
    QTest::newRow("range beyond the report prints nothing") << answer << QStringList();
    answer = {};
    answer.accept = false;
    QTest::newRow("cancel") << answer << QStringList();
  }

  void printCommand() {
    QFETCH(Answer, answer);
    QFETCH(QStringList, footers);
    const QStringList pages = Print(answer);
    QCOMPARE(Footers(pages), footers);
    QCOMPARE(ReportPrintDialog::offers().size(), std::size_t{1});
    const auto offer = ReportPrintDialog::offers().front();
    QCOMPARE(offer.flags, 1048580u);
    QCOMPARE(std::tuple(offer.min, offer.from_page, offer.to_page), std::tuple(1, 1, offer.max));
    QVERIFY2(offer.max >= whole_.size() && offer.max <= whole_.size() + 1,
             qPrintable(QString::number(offer.max)));
    if (pages.isEmpty()) return;
    const bool heading = footers[0] == "Page: 1";
    for (const char* text :
         {"LEDGERLY TAX YEAR 2011 ERROR REPORT", "Generated from: /data/W2REPORT.TXT", "12/06/2011",
          "40 Record(s) tested", "80 Error(s) found", "Record number: 1 Code: RW SSN: 123456789",
          "Err Num: 1 "}) {
      QVERIFY2(pages[0].contains(text) == heading, text);
    }
  }

  // Counted on the default paper, printed on a far smaller one: all pages still print.
  void allPagesGoToTheEndWhenTheEstimateFallsShort() {
    Answer answer;
    answer.page_size = QPageSize(QPageSize::A7);
    const QStringList pages = Print(answer);
    QVERIFY(pages.size() > ReportPrintDialog::offers().front().max + 10);
    QCOMPARE(Footers(pages).last(), "Page: " + QString::number(pages.size()));
  }

  // A record header wider than the page shrinks the font from there on; long
  // entries wrap in the value column and nothing of them is lost.
  void wideHeaderAndLongEntriesFitThePage() {
    ResultDbBuilder results;
    const std::string entry = "[" + std::string(400, 'Q') + "]";
    FillResults(results, 30, 1, entry);
    results.Exec("UPDATE Records SET ID = 'RE', RecReference = '" + std::string(150, '9') +
                 "' WHERE Rec_Num = 1");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(FileName(out_.path() / "wide.pdf"));
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), printer, kFont, {}, &trace);
    const auto box = std::find_if(trace.begin(), trace.end(), [](const PrintedItem& i) {
      return i.kind == PrintedItem::Kind::Box;
    });
    QVERIFY(box != trace.end() && box->point_size < 10);
    PageMetrics metrics(printer, QFont("Courier", box->point_size));
    QVERIFY(metrics.TextWidth(box->text, true) <= metrics.PageWidth());
    QString pieces;
    for (auto item = box; item != trace.end(); ++item) {
      QCOMPARE(item->point_size, box->point_size);
      if (!item->text.contains('Q')) continue;
      pieces += item->text;
      QVERIFY(item->x + metrics.TextWidth(item->text) <= metrics.PageWidth());
    }
    QCOMPARE(pieces, QString::fromStdString(entry).repeated(30));
  }

  void printerThatCannotStartIsAFailure() {
    QPrinter printer;
    printer.setOutputFileName("/nonexistent/folder/report.pdf");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             PrintReportPages(results_.path(), printer, kFont, {}));
  }
};

QTEST_MAIN(ReportPrinterTest)
#include "ReportPrinterTest.moc"
