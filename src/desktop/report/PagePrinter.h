#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <climits>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;

namespace ledgerly::gui {

// A page range without an end: print until the report ends.
inline constexpr int kLastPage = INT_MAX;

// Sizes of the report on the printer's page, in inches. Page width and height
// are those of the printable area.
class PageMetrics {
 public:
  PageMetrics(QPrinter& printer, const QFont& font);

  double PageWidth() const { return page_width_; }
  double PageHeight() const { return page_height_; }
  double Dpi() const { return dpi_; }
  const QFont& font() const { return font_; }
  void SetFont(const QFont& font);

  double TextWidth(const QString& text, bool bold = false) const;
  // Asked for every line placed, so kept from SetFont on.
  double LineHeight() const { return line_height_; }
  double Ascent(bool bold) const;
  // The printed lines of a value that follows label (SplitLines in this font).
  QStringList Split(const QString& text, const QString& label) const;

 private:
  QFont Font(bool bold) const;

  QPrinter& printer_;
  QFont font_;
  double dpi_;
  double page_width_;
  double page_height_;
  double line_height_ = 0;
};

// What was drawn; kept when a test asks for it.
struct PrintedItem {
  enum class Kind { Text, Footer, Box };
  Kind kind = Kind::Text;
  int copy = 1;
  int page = 0;   // the report's page number
  int sheet = 0;  // the sheet of the printout, counted from 1 over all copies
  QString text;
  double x = 0;  // inches from the printable area's top-left
  double y = 0;
  int point_size = 0;
  bool bold = false;
};

// The report's pages on the printer: the layout position, the chosen page
// range, the footers and the page breaks. The printer is started only when
// the first thing is drawn, so a range that holds no page prints nothing.
class PagePrinter {
 public:
  PagePrinter(QPrinter& printer, int from_page, int to_page,
              std::vector<PrintedItem>* trace = nullptr);
  ~PagePrinter();
  PagePrinter(const PagePrinter&) = delete;
  PagePrinter& operator=(const PagePrinter&) = delete;

  PageMetrics& metrics() { return metrics_; }
  // Starts a copy of the report on page 1, at the top, in font.
  void BeginCopy(const QFont& font);
  // Prints the last page's footer unless the range has ended already.
  void EndCopy();
  // Ends the document: it goes to the printer.
  void Finish();

  // The page the layout has reached: after a whole copy, the report's last page.
  int page() const { return page_; }
  double y() const { return y_; }
  void MoveDown(double inches) { y_ += inches; }

  // A line of the heading area, which belongs to page 1: drawn only when the
  // range starts there, but the layout moves down in any case.
  void PrintHeadingLine(const QString& text, double x = 0, bool bold = false);
  // Places a line (PrintReportLine): skips it on pages outside the range,
  // breaks the page with its footer when the line does not fit, and ends the
  // printout after the last page of the range. Returns the line's position.
  double PrintReportLine(const QString& line, bool boxed = false, double x = 0, bool bold = false);
  // A value on its label's line, at the position the label was given.
  void PrintBeside(const QString& text, double x, double y);

 private:
  bool InRange() const { return page_ >= from_page_ && page_ <= to_page_; }
  bool Fits() const;
  QPainter& Sheet();
  void Draw(PrintedItem::Kind kind, const QString& text, double x, double y, bool bold);
  void DrawBox(const QString& line, double x, double y, bool bold);
  void DrawFooter();

  QPrinter& printer_;
  PageMetrics metrics_;
  int from_page_;
  int to_page_;
  std::vector<PrintedItem>* trace_;
  std::unique_ptr<QPainter> painter_;
  bool sheet_open_ = false;
  int sheets_ = 0;
  int copy_ = 0;
  int page_ = 1;
  double y_ = 0;
  bool finished_ = false;
};

}  // namespace ledgerly::gui
