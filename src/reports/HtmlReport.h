#pragma once

#include <string>
#include <string_view>

#include "reports/ReportBuilder.h"

namespace ledgerly {

// The user-entry break width for a screen 1,024 pixels wide; used where there is no screen.
inline constexpr int kDefaultWrapWidth = 57;

// Screen width in pixels / 10 - 45, rounded to the nearest whole number (halves to even).
int WrapWidthForScreen(int screen_width_pixels);

// The HTML 3.2 report page. Every database value is escaped; the fixed markup
// is written as it stands.
class HtmlReport : public ReportBuilder {
 public:
  HtmlReport(ReportSink& sink, int wrap_width) : ReportBuilder(sink), wrap_width_(wrap_width) {}
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow& first_row) override;
  void Error(const ErrorRow& row) override;
  void End() override;

 private:
  int wrap_width_;
};

// Replaces &, <, > and " by their character references.
std::string EscapeHtml(std::string_view text);

// A user entry for the report's <pre> cell: "</pre><pre>" goes in front of every
// character whose position (counted in characters from 1) is a multiple of
// wrap_width, unless the entry is shorter than wrap_width. The pieces are
// escaped after breaking, so the breaks fall on the entry's own characters.
std::string BreakUserEntry(std::string_view entry, int wrap_width);

}  // namespace ledgerly
