#pragma once

#include <QDialog>
#include <vector>

#include "reports/ErrorSummary.h"

class QStandardItemModel;
class QTableView;

namespace ledgerly::gui {

// The error summary: one row per Error Reference and Error Description with
// its count and first records, the most frequent first, so that a result of
// thousands of errors shows which few mistakes make them. Choosing a row
// asks the main window to show the records with that error.
class ErrorSummaryWindow : public QDialog {
  Q_OBJECT

 public:
  ErrorSummaryWindow(const std::vector<ErrorSummaryRow>& rows, QWidget* parent);

  QTableView* view() const { return view_; }

 signals:
  void errorChosen(const QString& reference, const QString& error);

 private:
  QTableView* view_;
  QStandardItemModel* model_;
};

}  // namespace ledgerly::gui
