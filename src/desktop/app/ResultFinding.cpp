// Finding one's way in a big result: Go to Record in the tested records, and
// the error summary that leads to the records of one kind of error.
#include <QTableView>

#include "desktop/app/ErrorSummaryWindow.h"
#include "desktop/app/MainWindow.h"
#include "desktop/app/MainWindowPanes.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/app/ResultRowsModel.h"
#include "desktop/common/NumberDialog.h"

namespace ledgerly::gui {

void MainWindow::mnuVGoTo_Click() {
  ResultGrid* grid = tested_pane_->records;
  if (TestRunning() || grid->isHidden() || grid->model()->rowCount() == 0) return;
  const int last = grid->model()->rowCount();
  const int current = std::max<int>(1, grid->view()->currentIndex().row() + 1);
  const auto rec_num = NumberDialog::getNumber(this, QStringLiteral("Go to Record"),
                                               QStringLiteral("Record Number (1 - %1):").arg(last),
                                               current, 1, last);
  if (!rec_num) return;
  // The viewer follows the current row.
  grid->goToKey(*rec_num);
  grid->view()->setFocus();
}

void MainWindow::mnuVSummary_Click() {
  if (TestRunning() || !results_->Open()) return;
  if (summary_window_) summary_window_->close();
  summary_window_ = new ErrorSummaryWindow(results_->ErrorSummary(), this);
  connect(summary_window_, &ErrorSummaryWindow::errorChosen, this,
          &MainWindow::ShowRecordsWithError);
  summary_window_->show();
}

void MainWindow::ShowRecordsWithError(const QString& reference, const QString& error) {
  if (TestRunning()) return;
  ShowRecordsWithErrors(RecordsWithError(reference, error),
                        QStringLiteral("Record(s) with: ") + reference + " - " + error, false);
}

}  // namespace ledgerly::gui
