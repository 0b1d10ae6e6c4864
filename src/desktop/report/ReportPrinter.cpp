#include "desktop/report/ReportPrinter.h"

#include <QApplication>
#include <QPrinter>
#include <algorithm>

#include "desktop/common/Dialogs.h"
#include "desktop/report/ReportPrintDialog.h"
#include "engine/Sqlite.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportData.h"
#include "reports/TextReport.h"
#include "reports/WriteReport.h"

namespace ledgerly::gui {
namespace {

const QString kErrNumLabel = QStringLiteral("Err Num: ");
const QString kReferenceLabel = QStringLiteral("Reference: ");
const QString kUserEntryLabel = QStringLiteral("User Entry: ");
const QString kDescriptionLabel = QStringLiteral("Error Description: ");
// The value column starts where this text ends.
const QString kValueColumn = QStringLiteral("Error Description:  ");
constexpr double kAfterTotals = 0.002;  // inches between the totals and the first record
// Many printers cannot print near the paper's edge, and some drivers offer
// margins of a few points: the print dialog proposes at least this much.
constexpr double kLeastMargin = 0.5;  // inches

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QString TerminationBlock(const ReportSummary& summary) {
  return Q(TerminationLead(summary) + TerminationText(summary));
}

// The print builders write nothing to a sink.
class NoSink : public ReportSink {
 public:
  void Write(std::string_view) override {}
};

// Draws one copy of the report.
class PrintBuilder : public ReportBuilder {
 public:
  PrintBuilder(ReportSink& sink, PagePrinter& pages, const QFont& font)
      : ReportBuilder(sink), pages_(pages), metrics_(pages.metrics()), font_(font) {}

  void Begin(const ReportSummary& summary) override {
    QFont heading = font_;
    heading.setPointSize(font_.pointSize() + 4);
    metrics_.SetFont(heading);
    const QString title = QString::fromLatin1(kReportHeading);
    pages_.PrintHeadingLine(title, Centred(title, true), true);
    metrics_.SetFont(font_);

    const QStringList files = metrics_.Split(Q(FilesLine(summary)), {});
    pages_.PrintHeadingLine({});
    for (const QString& line : files) {
      pages_.PrintHeadingLine(line, files.size() == 1 ? Centred(line) : 0);
    }
    pages_.PrintHeadingLine({});
    pages_.PrintHeadingLine({});

    const QString date = Q(summary.report_date);
    pages_.PrintHeadingLine({});
    pages_.PrintHeadingLine(date, Centred(date));
    pages_.PrintHeadingLine({});

    for (const QString& line : metrics_.Split(TerminationBlock(summary), {})) {
      pages_.PrintHeadingLine(line, 0, true);
    }
    pages_.PrintHeadingLine({});

    PrintTotals(summary);
    pages_.MoveDown(kAfterTotals);
  }

  void RecordGroup(const ErrorRow& first_row) override {
    pages_.PrintReportLine(QStringLiteral(" "));
    const QString header = Q(RecordHeaderText(first_row));
    // A header wider than the page takes a smaller font, and so does the rest of the printout.
    QFont font = metrics_.font();
    while (metrics_.TextWidth(header, true) > metrics_.PageWidth() && font.pointSize() > 1) {
      font.setPointSize(font.pointSize() - 1);
      metrics_.SetFont(font);
    }
    // Every error follows a header, and the font changes only here.
    value_column_ = metrics_.TextWidth(kValueColumn);
    pages_.PrintReportLine(header, true, Centred(header, true), true);
  }

  void Error(const ErrorRow& row) override {
    const double at = pages_.PrintReportLine(kErrNumLabel);
    pages_.PrintBeside(QString::number(row.err_num), value_column_, at);
    PrintValue(kReferenceLabel, Q(row.reference));
    PrintValue(kUserEntryLabel, Q(row.user_entry));
    PrintValue(kDescriptionLabel, Q(row.error));
    pages_.PrintReportLine({});
  }

  void End() override {}

 private:
  double Centred(const QString& text, bool bold = false) const {
    return (metrics_.PageWidth() - metrics_.TextWidth(text, bold)) / 2;
  }

  // The first totals line is centred on its digits and words; the blanks in
  // front of the count stand to their left, and the other lines share its left edge.
  void PrintTotals(const ReportSummary& summary) {
    QStringList totals;
    for (const std::string& line : TotalsLines(summary)) totals << Q(line);
    const QString first = totals.first();
    qsizetype blanks = 0;
    while (blanks < first.size() && first[blanks] == QLatin1Char(' ')) ++blanks;
    const double left = Centred(first.mid(blanks)) - metrics_.TextWidth(first.left(blanks));
    for (const QString& line : totals) pages_.PrintHeadingLine(line, left);
    pages_.PrintHeadingLine({});
  }

  void PrintValue(const QString& label, const QString& value) {
    // The value is wrapped to the page width from where its column starts.
    const QStringList lines = metrics_.Split(value, kValueColumn);
    const double at = pages_.PrintReportLine(label);
    pages_.PrintBeside(lines.first(), value_column_, at);
    for (qsizetype i = 1; i < lines.size(); ++i) {
      pages_.PrintReportLine(lines[i], false, value_column_);
    }
  }

  PagePrinter& pages_;
  PageMetrics& metrics_;
  QFont font_;
  double value_column_ = 0;
};

void ProposeMargins(QPrinter& printer) {
  const QMarginsF given = printer.pageLayout().margins(QPageLayout::Inch);
  printer.setPageMargins(
      QMarginsF(std::max(given.left(), kLeastMargin), std::max(given.top(), kLeastMargin),
                std::max(given.right(), kLeastMargin), std::max(given.bottom(), kLeastMargin)),
      QPageLayout::Inch);
}

QFont ReportFont(QFont font) {
  if (font.pointSize() <= 0) font.setPointSize(10);
  font.setBold(false);
  return font;
}

}  // namespace

int CountReportPages(const std::filesystem::path& database, QPrinter& printer, const QFont& font) {
  // The count is a printing pass whose range starts after the last page: the
  // very layout that prints, with nothing drawn.
  return PrintReportPages(database, printer, font, {kLastPage, kLastPage, 1});
}

int PrintReportPages(const std::filesystem::path& database, QPrinter& printer, const QFont& font,
                     const PrintOptions& options, std::vector<PrintedItem>* trace) {
  const Database db(database, Database::Mode::ReadOnly);
  NoSink sink;
  const QFont report_font = ReportFont(font);
  PagePrinter pages(printer, options.from_page, options.to_page, trace);
  for (int copy = 0; copy < std::max(options.copies, 1); ++copy) {
    pages.BeginCopy(report_font);
    PrintBuilder builder(sink, pages, report_font);
    BuildReport(db, builder, sink);
    pages.EndCopy();
  }
  pages.Finish();
  return pages.page();
}

bool PrintReport(QWidget* window, const std::filesystem::path& database, const QFont& font) {
  QPrinter printer(QPrinter::HighResolution);
  ProposeMargins(printer);
  int pages = 0;
  {
    const BusyPointer busy;
    // The pointer changes before the pages are counted.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    pages = CountReportPages(database, printer, font);
  }

  ReportPrintDialog dialog;
  dialog.Pages.SetMin(1);
  dialog.Pages.SetMax(pages);
  dialog.Pages.SetFromPage(dialog.Pages.Min());
  dialog.Pages.SetToPage(dialog.Pages.Max());
  dialog.Flags = kPdNoSelection | kPdHidePrintToFile;
  if (!dialog.ShowPrinter(window, printer)) return false;

  // All pages means the whole report, whatever paper was chosen in the dialog.
  PrintOptions options;
  if (dialog.Flags & kPdPageNums) {
    options.from_page = dialog.Pages.FromPage();
    options.to_page = dialog.Pages.ToPage();
  }
  options.copies = dialog.Copies();
  const BusyPointer busy;
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  pages = PrintReportPages(database, printer, font, options);
  if (options.to_page != kLastPage && options.to_page > pages) {
    const int missing_from = std::max(options.from_page, pages + 1);
    MessageBox::Show(window, QMessageBox::Information, QStringLiteral("Print"),
                     QStringLiteral("The report has %1 page(s).  Pages %2 to %3 do not exist "
                                    "and were not printed.")
                         .arg(pages)
                         .arg(missing_from)
                         .arg(options.to_page));
  }
  return true;
}

}  // namespace ledgerly::gui
