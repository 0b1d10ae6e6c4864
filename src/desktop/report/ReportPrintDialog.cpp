#include "desktop/report/ReportPrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace ledgerly::gui {

bool ReportPrintDialog::scripted_ = false;
std::deque<ReportPrintDialog::Answer> ReportPrintDialog::answers_;
std::vector<ReportPrintDialog::Offer> ReportPrintDialog::offers_;

void ReportPrintDialog::setScripted(bool scripted) {
  scripted_ = scripted;
}
void ReportPrintDialog::setNextAnswer(const Answer& answer) {
  answers_.push_back(answer);
}
std::vector<ReportPrintDialog::Offer>& ReportPrintDialog::offers() {
  return offers_;
}

void ReportPrintDialog::reset() {
  answers_.clear();
  offers_.clear();
}

bool ReportPrintDialog::ShowPrinter(QWidget* owner, QPrinter& printer) {
  copies_ = 1;
  offers_.push_back({Flags, Pages.Min(), Pages.FromPage(), Pages.ToPage(), Pages.Max()});
  if (scripted_) return Scripted(printer);

  QPrintDialog dialog(&printer, owner);
  dialog.setMinMax(Pages.Min(), Pages.Max());
  dialog.setFromTo(Pages.FromPage(), Pages.ToPage());
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (Flags & kPdNoSelection) dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  // Printing to a file stays offered whatever the flags say: on this desktop it
  // is how a report becomes a PDF file.
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  if (dialog.exec() != QDialog::Accepted) return false;
  ReadBack(printer, dialog.printRange() == QAbstractPrintDialog::PageRange);
  return true;
}

bool ReportPrintDialog::Scripted(QPrinter& printer) {
  if (answers_.empty()) return false;
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (!answer.accept) return false;
  if (!answer.output_file.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.output_file);
  }
  if (answer.page_size) printer.setPageSize(*answer.page_size);
  if (answer.pages) printer.setFromTo(answer.pages->first, answer.pages->second);
  printer.setCopyCount(answer.copies);
  printer.setCollateCopies(answer.collate);
  ReadBack(printer, answer.pages.has_value());
  return true;
}

void ReportPrintDialog::ReadBack(QPrinter& printer, bool page_range) {
  Flags &= ~(kPdPageNums | kPdCollate);
  if (page_range) {
    Flags |= kPdPageNums;
    Pages.SetFromPage(printer.fromPage());
    Pages.SetToPage(printer.toPage());
  }
  if (printer.collateCopies()) Flags |= kPdCollate;
  // Collated copies are printed by the program one after the other; otherwise
  // the printer repeats each page.
  if (Flags & kPdCollate) {
    copies_ = printer.copyCount();
    printer.setCopyCount(1);
  } else {
    copies_ = 1;
  }
}

}  // namespace ledgerly::gui
