#pragma once

#include <QFont>
#include <filesystem>
#include <vector>

#include "desktop/report/PagePrinter.h"

class QPrinter;
class QWidget;

namespace ledgerly::gui {

// The pages and copies the printing pass prints.
struct PrintOptions {
  int from_page = 1;
  int to_page = kLastPage;
  int copies = 1;  // whole copies printed one after the other (collated)
};

// The page-count pass: the number of pages of the error report of the result
// database in font on the printer's page, laid out by the printing pass itself.
// Database failures throw.
int CountReportPages(const std::filesystem::path& database, QPrinter& printer, const QFont& font);

// The printing pass, once per copy, into one document: heading area, record
// headers boxed and bold, error blocks with their values wrapped in the value
// column, "Page: N" footers, only the pages of the range. Returns the last
// page laid out: the report's page count unless the range ended sooner.
// Failures of the database or the printer throw; trace (for tests) receives
// what was drawn.
int PrintReportPages(const std::filesystem::path& database, QPrinter& printer, const QFont& font,
                     const PrintOptions& options, std::vector<PrintedItem>* trace = nullptr);

// The print command of the text report: counts the pages, asks with the print
// dialog (ReportPrintDialog) owned by window, and prints on the chosen
// printer; a chosen range that goes past the report's end is said so. The
// busy pointer shows while the pages are counted and printed. False when the
// dialog was cancelled (nothing printed, nothing said). Failures throw: the
// caller shows its error notice.
bool PrintReport(QWidget* window, const std::filesystem::path& database, const QFont& font);

}  // namespace ledgerly::gui
