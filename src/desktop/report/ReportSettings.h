#pragma once

#include <QString>

namespace ledgerly::gui {

inline constexpr int kTextReport = 1;
inline constexpr int kHtmlReport = 3;

// The values the report commands share for the program's lifetime.
struct ReportSettings {
  int report_choice = kTextReport;  // ReportChoice: the option dialog's last choice
  bool print_requested = false;     // PrintRequested: the Print Error Report command is running
  bool dialog_cancelled = false;    // DialogCancelled: the option or Save As dialog was cancelled
  QString critical_error_text;      // CriticalErrorText of the results view
};

}  // namespace ledgerly::gui
