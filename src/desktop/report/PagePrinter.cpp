#include "desktop/report/PagePrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <algorithm>
#include <stdexcept>

#include "desktop/report/PrintLines.h"

namespace ledgerly::gui {
namespace {

constexpr double kBoxedLineTop = 0.01;  // a header that opens a page sits this far below its top
constexpr double kBoxLeft = 0.1;
constexpr double kBoxAbove = 0.1;
constexpr double kBoxRight = 0.05;
constexpr double kBoxBelow = 0.02;
constexpr double kBoxMinEdge = 0.001;
constexpr double kBoxPenWidth = 0.01;
constexpr double kTolerance = 1e-9;

}  // namespace

PageMetrics::PageMetrics(QPrinter& printer, const QFont& font)
    : printer_(printer), font_(font), dpi_(printer.resolution()) {
  const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
  page_width_ = printable.width() / dpi_;
  page_height_ = printable.height() / dpi_;
  SetFont(font);
}

void PageMetrics::SetFont(const QFont& font) {
  font_ = font;
  line_height_ = QFontMetricsF(font_, &printer_).lineSpacing() / dpi_;
}

QFont PageMetrics::Font(bool bold) const {
  QFont font = font_;
  font.setBold(bold);
  return font;
}

double PageMetrics::TextWidth(const QString& text, bool bold) const {
  return QFontMetricsF(Font(bold), &printer_).horizontalAdvance(text) / dpi_;
}

double PageMetrics::Ascent(bool bold) const {
  return QFontMetricsF(Font(bold), &printer_).ascent() / dpi_;
}

QStringList PageMetrics::Split(const QString& text, const QString& label) const {
  return SplitLines(
      text, label, [this](const QString& t) { return TextWidth(t); }, page_width_);
}

PagePrinter::PagePrinter(QPrinter& printer, int from_page, int to_page,
                         std::vector<PrintedItem>* trace)
    : printer_(printer),
      metrics_(printer, QFont()),
      from_page_(std::max(from_page, 1)),
      to_page_(std::max(to_page, std::max(from_page, 1))),
      trace_(trace) {}

PagePrinter::~PagePrinter() {
  // Still printing here means a failure broke the printout off: the job is withdrawn.
  if (painter_ && painter_->isActive()) {
    printer_.abort();
    painter_->end();
  }
}

void PagePrinter::BeginCopy(const QFont& font) {
  metrics_.SetFont(font);
  ++copy_;
  page_ = 1;
  y_ = 0;
  finished_ = false;
  sheet_open_ = false;  // each copy begins on a sheet of its own
}

void PagePrinter::EndCopy() {
  if (!finished_ && InRange()) DrawFooter();
  sheet_open_ = false;
}

void PagePrinter::Finish() {
  if (painter_ && painter_->isActive() && !painter_->end()) {
    throw std::runtime_error("The report could not be sent to the printer.");
  }
}

bool PagePrinter::Fits() const {
  // A line always fits at the top of a page, however tall it is.
  if (y_ <= kBoxedLineTop) return true;
  return y_ + metrics_.LineHeight() <= metrics_.PageHeight() - metrics_.LineHeight() + kTolerance;
}

void PagePrinter::PrintHeadingLine(const QString& text, double x, bool bold) {
  if (page_ == from_page_ && !finished_ && !text.isEmpty()) {
    Draw(PrintedItem::Kind::Text, text, x, y_, bold);
  }
  y_ += metrics_.LineHeight();
}

double PagePrinter::PrintReportLine(const QString& line, bool boxed, double x, bool bold) {
  if (finished_) return y_;
  if (!Fits()) {
    if (InRange()) {
      DrawFooter();
      sheet_open_ = false;
      if (page_ == to_page_) {
        finished_ = true;
        return 0;
      }
    }
    // Pages outside the range are laid out exactly as printed ones, so the
    // page numbers of a range match those of the whole printout.
    ++page_;
    y_ = boxed ? kBoxedLineTop : 0;
  }
  const double at = y_;
  if (InRange()) {
    if (boxed) DrawBox(line, x, at, bold);
    if (!line.isEmpty()) Draw(PrintedItem::Kind::Text, line, x, at, bold);
  }
  y_ += metrics_.LineHeight();
  return at;
}

void PagePrinter::PrintBeside(const QString& text, double x, double y) {
  if (!finished_ && InRange() && !text.isEmpty()) Draw(PrintedItem::Kind::Text, text, x, y, false);
}

QPainter& PagePrinter::Sheet() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
      throw std::runtime_error("The printer could not be started.");
    }
    sheet_open_ = true;
    sheets_ = 1;
  } else if (!sheet_open_) {
    if (!printer_.newPage()) throw std::runtime_error("The printer could not start a new page.");
    sheet_open_ = true;
    ++sheets_;
  }
  return *painter_;
}

void PagePrinter::Draw(PrintedItem::Kind kind, const QString& text, double x, double y, bool bold) {
  QPainter& painter = Sheet();
  QFont font = metrics_.font();
  font.setBold(bold);
  painter.setFont(font);
  const double dpi = metrics_.Dpi();
  painter.drawText(QPointF(x * dpi, (y + metrics_.Ascent(bold)) * dpi), text);
  if (trace_) {
    trace_->push_back({kind, copy_, page_, sheets_, text, x, y, font.pointSize(), bold});
  }
}

void PagePrinter::DrawBox(const QString& line, double x, double y, bool bold) {
  const double left = std::max(x - kBoxLeft, kBoxMinEdge);
  const double top = std::max(y - kBoxAbove, kBoxMinEdge);
  const double right = x + metrics_.TextWidth(line, bold) + kBoxRight;
  const double bottom = y + metrics_.LineHeight() + kBoxBelow;
  QPainter& painter = Sheet();
  const double dpi = metrics_.Dpi();
  painter.save();
  painter.setPen(QPen(Qt::black, kBoxPenWidth * dpi));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(QPointF(left * dpi, top * dpi), QPointF(right * dpi, bottom * dpi)));
  painter.restore();
  if (trace_) {
    trace_->push_back({PrintedItem::Kind::Box, copy_, page_, sheets_, line, left, top,
                       metrics_.font().pointSize(), bold});
  }
}

void PagePrinter::DrawFooter() {
  const QString footer = QStringLiteral("Page: ") + QString::number(page_);
  const double x = (metrics_.PageWidth() - metrics_.TextWidth(footer)) / 2;
  Draw(PrintedItem::Kind::Footer, footer, x, metrics_.PageHeight() - metrics_.LineHeight(), false);
}

}  // namespace ledgerly::gui
