// The printed error report, printed into PDF files through the print command.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "desktop/report/PagePrinter.h"
#include "desktop/report/ReportPrintDialog.h"
#include "desktop/report/ReportPrinter.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly::gui;
using namespace ledgerly::test;

namespace {

const QFont kFont(QStringLiteral("Courier"), 10);

// Records RW 1..records, each with errors_each errors.
void FillResults(ResultDbBuilder& results, int records, int errors_each,
                 const std::string& user_entry = "[00000012A45]") {
  results.Exec("BEGIN");
  results.AddMisc("/data/W2REPORT.TXT", "12/06/2011");
  for (int r = 1; r <= records; ++r) {
    results.AddRecord(r, "RW", "123456789");
    for (int e = 0; e < errors_each; ++e) {
      results.AddError(r, "Social Security Wages [Position 210 - 220]", user_entry,
                       "Must be numeric. No negative amounts; right justify and zero fill.");
    }
  }
  results.Exec("COMMIT");
}

int PdfPages(const QString& file) {
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return 0;
  return int(QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// The text of one page of a PDF file, blanks run together.
QString PdfText(const QString& file, int page) {
  QProcess process;
  const QString at = QString::number(page);
  process.start("pdftotext", {"-layout", "-f", at, "-l", at, file, "-"});
  process.waitForFinished();
  return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

}  // namespace

Q_DECLARE_METATYPE(ReportPrintDialog::Answer)

class ReportPrinterTest : public QObject {
  Q_OBJECT

  ResultDbBuilder results_;  // 40 records with two errors each
  TempFolder out_;
  int pages_ = 0;  // of the whole report

  // Prints through the print command, answering its dialog; the PDF's page count.
  int Print(ReportPrintDialog::Answer answer, const char* name) {
    answer.output_file = FileName(out_.path() / name);
    ReportPrintDialog::setNextAnswer(answer);
    return PrintReport(nullptr, results_.path(), kFont) ? PdfPages(answer.output_file) : -1;
  }

 private slots:
  void initTestCase() {
    FillResults(results_, 40, 2);
    ReportPrintDialog::setScripted(true);
    pages_ = Print({}, "whole.pdf");
    QVERIFY(pages_ >= 4);
  }
  void init() { ReportPrintDialog::reset(); }

  // The dialog offers every page of the estimate; the printout holds what was chosen.
  void printCommand_data() {
    QTest::addColumn<ReportPrintDialog::Answer>("answer");
    QTest::addColumn<int>("copies");  // of the whole report
    QTest::addColumn<int>("pages");   // besides them; -1: cancelled
    QTest::addColumn<QString>("first_footer");
    ReportPrintDialog::Answer answer;
    QTest::newRow("all pages") << answer << 1 << 0 << "Page: 1";
    answer.copies = 3;
    QTest::newRow("copies made by the printer") << answer << 1 << 0 << "Page: 1";
    answer.collate = true;
    QTest::newRow("collated copies printed each") << answer << 3 << 0 << "Page: 1";
    answer = {};
    answer.pages = {2, 3};
    QTest::newRow("pages 2 to 3") << answer << 0 << 2 << "Page: 2";
    answer.pages = {50, 60};
    QTest::newRow("range beyond the report prints nothing") << answer << 0 << 0 << "";
    answer = {};
    answer.accept = false;
    QTest::newRow("cancel") << answer << 0 << -1 << "";
  }

  void printCommand() {
    QFETCH(ReportPrintDialog::Answer, answer);
    QFETCH(int, copies);
    QFETCH(int, pages);
    QFETCH(QString, first_footer);
    const QString file = QString(QTest::currentDataTag()) + ".pdf";
    const int printed = Print(answer, qPrintable(file));
    QCOMPARE(printed, copies * pages_ + pages);
    QCOMPARE(ReportPrintDialog::offers().size(), std::size_t{1});
    const auto offer = ReportPrintDialog::offers().front();
    QCOMPARE(offer.flags, 1048580u);
    QCOMPARE(std::tuple(offer.min, offer.from_page, offer.to_page), std::tuple(1, 1, offer.max));
    QVERIFY2(offer.max >= pages_ && offer.max <= pages_ + 1,
             qPrintable(QString::number(offer.max)));
    if (printed <= 0) return;
    const QString first = PdfText(FileName(out_.path() / file.toStdString()), 1);
    QVERIFY2(first.contains(first_footer), qPrintable(first));
    const bool heading = first_footer == "Page: 1";
    for (const char* text :
         {"LEDGERLY TAX YEAR 2011 ERROR REPORT", "Generated from: /data/W2REPORT.TXT", "12/06/2011",
          "40 Record(s) tested", "80 Error(s) found", "Record number: 1 Code: RW SSN: 123456789",
          "Err Num: 1 "}) {
      QVERIFY2(first.contains(text) == heading, text);
    }
  }

  // Counted on the default paper, printed on a far smaller one: all pages still print.
  void allPagesGoToTheEndWhenTheEstimateFallsShort() {
    ReportPrintDialog::Answer answer;
    answer.page_size = QPageSize(QPageSize::A7);
    const int pages = Print(answer, "small.pdf");
    QVERIFY(pages > ReportPrintDialog::offers().front().max + 10);
    const QString last = PdfText(FileName(out_.path() / "small.pdf"), pages);
    QVERIFY2(last.contains("Page: " + QString::number(pages)), qPrintable(last));
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
    printer.setOutputFormat(QPrinter::PdfFormat);
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
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent/folder/report.pdf");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             PrintReportPages(results_.path(), printer, kFont, {}));
  }
};

QTEST_MAIN(ReportPrinterTest)
#include "ReportPrinterTest.moc"
