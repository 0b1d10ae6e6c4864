// The printed error report, printed into PDF files.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

#include "desktop/report/PagePrinter.h"
#include "desktop/report/ReportPrintDialog.h"
#include "desktop/report/ReportPrinter.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly::gui;
using ledgerly::test::ResultDbBuilder;
using ledgerly::test::TempFolder;
using Kind = PrintedItem::Kind;

namespace {

const QFont kFont(QStringLiteral("Courier"), 10);
const char* kReference = "Social Security Wages [Position 210 - 220]";
const char* kDescription = "Must be numeric. No negative amounts; right justify and zero fill.";

// A results database with records RW 1..records, each with errors_each errors.
void FillResults(ResultDbBuilder& results, int records, int errors_each,
                 const std::string& user_entry = "[00000012A45]") {
  results.Exec("BEGIN");
  results.AddMisc("/data/W2REPORT.TXT", "12/06/2011");
  for (int r = 1; r <= records; ++r) {
    results.AddRecord(r, "RW", "123456789");
    for (int e = 0; e < errors_each; ++e) results.AddError(r, kReference, user_entry, kDescription);
  }
  results.Exec("COMMIT");
}

// Letter paper with half-inch margins: a printable area of 7.5 by 10 inches.
std::unique_ptr<QPrinter> PdfPrinter(const QString& file) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file);
  printer->setPageSize(QPageSize(QPageSize::Letter));
  printer->setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  return printer;
}

int PdfPages(const QString& file) {
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return 0;
  return static_cast<int>(
      QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

bool HavePdfToText() {
  return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

// The text of one page of a PDF file, blanks run together.
QString PdfText(const QString& file, int page) {
  QProcess process;
  process.start("pdftotext",
                {"-layout", "-f", QString::number(page), "-l", QString::number(page), file, "-"});
  process.waitForFinished();
  return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

QStringList Footers(const std::vector<PrintedItem>& trace) {
  QStringList footers;
  for (const PrintedItem& item : trace) {
    if (item.kind == Kind::Footer) footers << item.text;
  }
  return footers;
}

QStringList PageFooters(int from, int to) {
  QStringList footers;
  for (int page = from; page <= to; ++page) footers << "Page: " + QString::number(page);
  return footers;
}

ReportPrintDialog::Answer ToPdf(const QString& file) {
  ReportPrintDialog::Answer answer;
  answer.output_file = file;
  return answer;
}

std::vector<PrintedItem> OnPage(const std::vector<PrintedItem>& trace, int page) {
  std::vector<PrintedItem> items;
  for (const PrintedItem& item : trace) {
    if (item.page == page) items.push_back(item);
  }
  return items;
}

}  // namespace

class ReportPrinterTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempFolder> out_;
  QString Pdf(const char* name) const {
    return QString::fromStdString((out_->path() / name).string());
  }

 private slots:
  void init() {
    out_ = std::make_unique<TempFolder>();
    ReportPrintDialog::setScripted(true);
    ReportPrintDialog::reset();
  }

  void allPagesPrintEveryPageWithItsFooter() {
    ResultDbBuilder results;
    FillResults(results, 40, 2);
    const QString file = Pdf("all.pdf");
    auto printer = PdfPrinter(file);
    const int estimate = CountReportPages(results.path(), *printer, kFont);
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {}, &trace);

    const int pages = PdfPages(file);
    QVERIFY(pages >= 4);
    QCOMPARE(Footers(trace), PageFooters(1, pages));
    QVERIFY2(estimate >= pages && estimate <= pages + 1, qPrintable(QString::number(estimate)));
    // Every item lies inside the printable area.
    for (const PrintedItem& item : trace) {
      QVERIFY(item.x >= 0 && item.y >= 0 && item.y < 10.0);
    }

    if (!HavePdfToText()) QSKIP("pdftotext is not installed");
    const QString first = PdfText(file, 1);
    QVERIFY(first.contains("LEDGERLY TAX YEAR 2011 ERROR REPORT"));
    QVERIFY(first.contains("Generated from: /data/W2REPORT.TXT"));
    QVERIFY(first.contains("12/06/2011"));
    QVERIFY(first.contains("40 Record(s) tested"));
    QVERIFY(first.contains("80 Error(s) found"));
    QVERIFY(first.contains("Record number: 1 Code: RW SSN: 123456789"));
    QVERIFY(first.contains("Err Num: 1"));
    QVERIFY(first.contains("Page: 1"));
    const QString last = PdfText(file, pages);
    QVERIFY(last.contains("Err Num: 80"));
    QVERIFY(last.contains("Page: " + QString::number(pages)));
  }

  void rangePrintsOnlyItsPages() {
    ResultDbBuilder results;
    FillResults(results, 40, 2);
    std::vector<PrintedItem> whole;
    {
      auto printer = PdfPrinter(Pdf("whole.pdf"));
      PrintReportPages(results.path(), *printer, kFont, {}, &whole);
    }
    const QString file = Pdf("range.pdf");
    auto printer = PdfPrinter(file);
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {2, 3, 1}, &trace);

    QCOMPARE(PdfPages(file), 2);
    QCOMPARE(Footers(trace), PageFooters(2, 3));
    // The pages look as they do in the whole printout; the heading area stays on page 1.
    for (int page : {2, 3}) {
      const auto expected = OnPage(whole, page);
      const auto printed = OnPage(trace, page);
      QCOMPARE(printed.size(), expected.size());
      for (std::size_t i = 0; i < printed.size(); ++i) {
        QCOMPARE(printed[i].text, expected[i].text);
        QCOMPARE(printed[i].y, expected[i].y);
        QCOMPARE(printed[i].sheet, page - 1);
      }
    }
    if (!HavePdfToText()) QSKIP("pdftotext is not installed");
    const QString both = PdfText(file, 1) + PdfText(file, 2);
    QVERIFY(!both.contains("LEDGERLY TAX YEAR"));
    QVERIFY(PdfText(file, 1).contains("Page: 2"));
    QVERIFY(PdfText(file, 2).contains("Page: 3"));
    QVERIFY(!both.contains("Page: 1") && !both.contains("Page: 4"));
  }

  void rangeBeyondTheReportPrintsNothing() {
    ResultDbBuilder results;
    FillResults(results, 2, 1);
    const QString file = Pdf("none.pdf");
    auto printer = PdfPrinter(file);
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {3, 4, 1}, &trace);
    QVERIFY(trace.empty());
    QVERIFY(!QFile::exists(file));
  }

  void wideRecordHeaderShrinksTheFontForTheRest() {
    ResultDbBuilder results;
    results.AddMisc("/data/W2REPORT.TXT", "12/06/2011");
    results.AddRecord(1, "RE", std::string(150, '9'));
    results.AddError(1, "Employer Name [Position 40 - 96]", "[]", "Must not be blank.");
    results.AddRecord(2, "RW", "123456789");
    results.AddError(2, kReference, "[A]", kDescription);
    auto printer = PdfPrinter(Pdf("wide.pdf"));
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {}, &trace);

    const auto box = std::find_if(trace.begin(), trace.end(),
                                  [](const PrintedItem& i) { return i.kind == Kind::Box; });
    QVERIFY(box != trace.end());
    QVERIFY(box->point_size < 10);
    QVERIFY(box->bold);
    PageMetrics metrics(*printer, QFont("Courier", box->point_size));
    QVERIFY(metrics.TextWidth(box->text, true) <= metrics.PageWidth());
    for (auto item = trace.begin(); item != box; ++item) QVERIFY(item->point_size >= 10);
    for (auto item = box; item != trace.end(); ++item) QCOMPARE(item->point_size, box->point_size);
  }

  void longUserEntryWrapsInTheValueColumnAndIsCounted() {
    ResultDbBuilder results;
    const std::string entry = "[" + std::string(400, 'Q') + "]";
    FillResults(results, 30, 1, entry);
    auto printer = PdfPrinter(Pdf("long.pdf"));
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {}, &trace);

    PageMetrics metrics(*printer, kFont);
    QStringList pieces;
    for (const PrintedItem& item : trace) {
      if (item.text.contains('Q')) {
        pieces << item.text;
        QVERIFY(item.x + metrics.TextWidth(item.text) <= metrics.PageWidth());
      }
    }
    QVERIFY(pieces.size() > 30);
    QCOMPARE(pieces.join(QString()), QString::fromStdString(entry).repeated(30));
    const int pages = static_cast<int>(Footers(trace).size());
    const int estimate = CountReportPages(results.path(), *printer, kFont);
    QVERIFY2(estimate >= pages && estimate <= pages + 1,
             qPrintable(QString("%1 pages, estimate %2").arg(pages).arg(estimate)));
  }

  void recordHeaderIsBoxedAndCentred() {
    ResultDbBuilder results;
    FillResults(results, 1, 1);
    auto printer = PdfPrinter(Pdf("box.pdf"));
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {}, &trace);
    const auto header = std::find_if(trace.begin(), trace.end(), [](const PrintedItem& i) {
      return i.kind == Kind::Text && i.text.startsWith("Record number: ");
    });
    QVERIFY(header != trace.end());
    QCOMPARE(header->text, QString("Record number: 1    Code: RW    SSN: 123456789"));
    QVERIFY(header->bold);
    const auto box = std::prev(header);
    QCOMPARE(box->kind, Kind::Box);
    QVERIFY(qAbs(box->x - (header->x - 0.1)) < 1e-9);
    QVERIFY(qAbs(box->y - (header->y - 0.1)) < 1e-9);
    PageMetrics metrics(*printer, kFont);
    QVERIFY(qAbs(header->x + metrics.TextWidth(header->text, true) / 2 - 3.75) < 1e-6);
  }

  void printCommandOffersTheEstimateAndPrintsAllPages() {
    ResultDbBuilder results;
    FillResults(results, 40, 2);
    const QString file = Pdf("command.pdf");
    ReportPrintDialog::setNextAnswer(ToPdf(file));
    QVERIFY(PrintReport(nullptr, results.path(), kFont));

    QCOMPARE(ReportPrintDialog::offers().size(), std::size_t{1});
    const auto offer = ReportPrintDialog::offers().front();
    QCOMPARE(offer.flags, 1048580u);
    QCOMPARE(offer.min, 1);
    QCOMPARE(offer.from_page, 1);
    QVERIFY(offer.max >= 4);
    QCOMPARE(offer.to_page, offer.max);
    QVERIFY(PdfPages(file) >= 4);
  }

  void allPagesGoToTheEndWhenTheEstimateFallsShort() {
    // Counted on the default paper, printed on a far smaller one.
    ResultDbBuilder results;
    FillResults(results, 40, 4);
    const QString file = Pdf("small.pdf");
    auto answer = ToPdf(file);
    answer.page_size = QPageSize(QPageSize::A7);
    ReportPrintDialog::setNextAnswer(answer);
    QVERIFY(PrintReport(nullptr, results.path(), kFont));
    const int estimate = ReportPrintDialog::offers().front().max;
    const int pages = PdfPages(file);
    QVERIFY2(pages > estimate + 10, qPrintable(QString("%1 of %2").arg(pages).arg(estimate)));
    if (!HavePdfToText()) QSKIP("pdftotext is not installed");
    QVERIFY(PdfText(file, pages).contains("Page: " + QString::number(pages)));
    QVERIFY(PdfText(file, pages).contains(kDescription) ||
            PdfText(file, pages).contains("zero fill."));
  }

  void copies_data() {
    QTest::addColumn<bool>("collate");
    QTest::newRow("collated: the program prints each copy") << true;
    QTest::newRow("not collated: the printer makes the copies") << false;
  }

  void copies() {
    QFETCH(bool, collate);
    ResultDbBuilder results;
    FillResults(results, 40, 2);
    const QString single = Pdf("single.pdf");
    ReportPrintDialog::setNextAnswer(ToPdf(single));
    QVERIFY(PrintReport(nullptr, results.path(), kFont));
    const int pages = PdfPages(single);

    const QString file = Pdf("copies.pdf");
    auto answer = ToPdf(file);
    answer.copies = 3;
    answer.collate = collate;
    ReportPrintDialog::setNextAnswer(answer);
    QVERIFY(PrintReport(nullptr, results.path(), kFont));
    QCOMPARE(PdfPages(file), collate ? 3 * pages : pages);
  }

  void collatedCopiesRestartAtPageOne() {
    ResultDbBuilder results;
    FillResults(results, 30, 2);
    auto printer = PdfPrinter(Pdf("collated.pdf"));
    std::vector<PrintedItem> trace;
    PrintReportPages(results.path(), *printer, kFont, {1, kLastPage, 2}, &trace);
    const QStringList footers = Footers(trace);
    const auto pages = footers.size() / 2;
    QVERIFY(pages >= 2);
    QCOMPARE(footers.mid(0, pages), PageFooters(1, static_cast<int>(pages)));
    QCOMPARE(footers.mid(pages), PageFooters(1, static_cast<int>(pages)));
    QCOMPARE(trace.back().sheet, static_cast<int>(2 * pages));
  }

  void printerThatCannotStartIsAFailure() {
    ResultDbBuilder results;
    FillResults(results, 1, 1);
    auto printer = PdfPrinter("/nonexistent/folder/report.pdf");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             PrintReportPages(results.path(), *printer, kFont, {}));
  }

  void cancelPrintsNothing() {
    ResultDbBuilder results;
    FillResults(results, 3, 1);
    auto answer = ToPdf(Pdf("cancel.pdf"));
    answer.accept = false;
    ReportPrintDialog::setNextAnswer(answer);
    QVERIFY(!PrintReport(nullptr, results.path(), kFont));
    QVERIFY(!QFile::exists(Pdf("cancel.pdf")));
  }
};

QTEST_MAIN(ReportPrinterTest)
#include "ReportPrinterTest.moc"
