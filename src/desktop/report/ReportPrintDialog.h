#pragma once

#include <QPageSize>
#include <QString>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "reports/PrintPageRange.h"

class QPrinter;
class QWidget;

namespace ledgerly::gui {

// The print dialog of the print command (clsPrintDialog) on Qt's print dialog.
// The pages offered and chosen follow PrintPageRange's ordering rules; the
// chosen printer, duplex and orientation go straight onto the QPrinter.
// In scripted mode (tests) nothing is shown and queued answers are used.
class ReportPrintDialog {
 public:
  uint32_t Flags = 0;
  PrintPageRange Pages;

  // The copies the program itself prints: the chosen number when the copies
  // are collated, else 1 (the printer makes them).
  int Copies() const { return copies_; }

  // Shows the dialog for printer: true on OK, false when cancelled.
  bool ShowPrinter(QWidget* owner, QPrinter& printer);

  // A scripted answer: pages nothing = all pages; output_file set = print to
  // that PDF file; page_size set = another paper chosen in the dialog.
  struct Answer {
    bool accept = true;
    std::optional<std::pair<int, int>> pages;
    int copies = 1;
    bool collate = false;
    QString output_file;
    std::optional<QPageSize> page_size;
  };
  // What the dialog offered when it was shown.
  struct Offer {
    uint32_t flags;
    int min, from_page, to_page, max;
  };

  static void setScripted(bool scripted);
  // A scripted dialog without a queued answer is cancelled.
  static void setNextAnswer(const Answer& answer);
  static std::vector<Offer>& offers();
  static void reset();

 private:
  bool Scripted(QPrinter& printer);
  void ReadBack(QPrinter& printer, bool page_range);

  int copies_ = 1;
  static bool scripted_;
  static std::deque<Answer> answers_;
  static std::vector<Offer> offers_;
};

}  // namespace ledgerly::gui
