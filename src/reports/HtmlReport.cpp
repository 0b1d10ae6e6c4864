#include "reports/HtmlReport.h"

#include <cmath>

#include "reports/Utf8Text.h"

namespace ledgerly {
namespace {

constexpr std::string_view kBreak = "</pre><pre>";

}  // namespace

int WrapWidthForScreen(int screen_width_pixels) {
  // lrint rounds halves to even in the default rounding mode.
  return static_cast<int>(std::lrint(screen_width_pixels / 10.0 - 45.0));
}

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string BreakUserEntry(std::string_view entry, int wrap_width) {
  // A width below 1 would divide by zero; such an entry is left whole.
  if (wrap_width < 1 || Utf8CharacterCount(entry) < static_cast<std::size_t>(wrap_width)) {
    return EscapeHtml(entry);
  }
  std::string broken;
  std::size_t piece_start = 0;
  std::size_t position = 0;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    if (IsUtf8Continuation(entry[i])) continue;
    ++position;
    if (position % static_cast<std::size_t>(wrap_width) == 0) {
      broken += EscapeHtml(entry.substr(piece_start, i - piece_start));
      broken += kBreak;
      piece_start = i;
    }
  }
  broken += EscapeHtml(entry.substr(piece_start));
  return broken;
}

void HtmlReport::Begin(const ReportSummary& summary) {
  std::string html = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\"> ";
  html += "<HTML><HEAD><meta charset=\"utf-8\"><TITLE>Ledgerly Error Report</title></HEAD><BODY ";
  html += "background=\"orvanehalf.gif\" bgColor=white><Center><H1>";
  html += std::string(kReportHeading) + "</H1>";
  html += "<P>" + EscapeHtml(FilesLine(summary)) + "<P>";
  html += "<P>" + EscapeHtml(summary.report_date) + "<P>";
  html += "<b>" + EscapeHtml(TerminationLead(summary)) + "<BR>" +
          EscapeHtml(TerminationText(summary)) + "</b><P>";
  html += "<table CELLSPACING=2 BORDER=0 WIDTH=\"100%\"><tr><td WIDTH=\"45%\" align=right>" +
          std::to_string(summary.records_tested) + "</td><td>Record(s) tested</td></tr>";
  html += "<tr><td align=right>" + std::to_string(summary.records_with_errors) +
          "</td><td>Record(s) with Error(s)</td></tr>";
  html += "<tr><td align=right>" + std::to_string(summary.errors_found) +
          "</td><td>Error(s) found</td></tr></table><p>";
  html +=
      "<table border=1 CellSpacing=1 CellPadding=1 width=\"95%\"><tr><th valign=middle>Err "
      "Num</th><th valign=middle>Reference</th><th valign=middle>User Entry</th><th "
      "valign=middle>Error Description</th></tr>";
  sink_.Write(html);
}

void HtmlReport::RecordGroup(const ErrorRow& first_row) {
  sink_.Write(
      "<tr><td colspan=4 align=center valign=middle><b>Record number: " +
      std::to_string(first_row.rec_num) +
      "&nbsp;&nbsp;&nbsp;&nbsp;Code: " + EscapeHtml(first_row.id) + "&nbsp&nbsp&nbsp&nbsp;" +
      EscapeHtml(IdentificationText(first_row.id, first_row.rec_reference)) + "</b></td></tr>");
}

void HtmlReport::Error(const ErrorRow& row) {
  sink_.Write("<tr><td align=\"center\" valign=\"center\">" + std::to_string(row.err_num) +
              "</td><td WIDTH=\"30%\" valign=\"center\">" + EscapeHtml(row.reference) +
              "</td><td valign=\"center\"><pre>" + BreakUserEntry(row.user_entry, wrap_width_) +
              "</pre></td><td WIDTH=\"35%\" valign=\"center\">" + EscapeHtml(row.error) +
              "</td></tr>");
}

void HtmlReport::End() {
  sink_.Write("</table></center></BODY></html>");
}

}  // namespace ledgerly
