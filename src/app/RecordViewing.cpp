// ViewFile: the record field viewer's display command, called when a row of
// the tested-records grid is chosen.
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

#include "app/MainWindow.h"
#include "app/ResultGrid.h"
#include "engine/Sqlite.h"
#include "viewer/RecordView.h"
#include "viewer/gui/RecordViewer.h"

namespace ledgerly::gui {

void MainWindow::ViewFile(int64_t rec_num) {
  // A run rewrites the database the viewer reads; a second view would be
  // filled into the rows of the first.
  if (viewing_ || TestRunning()) return;
  const QScopedValueRollback<bool> viewing(viewing_, true);

  // The viewer reads on a connection of its own; a failure leaves it empty.
  std::optional<RecordView> view;
  try {
    const Database db(DatabasePath(), Database::Mode::ReadOnly);
    view = ledgerly::ViewFile(db, rec_num);
  } catch (const StoreError&) {
  }
  if (view) {
    viewer_->ShowRows(view->rows);
  } else {
    viewer_->UnloadLabels();
  }

  for (QWidget* widget :
       {static_cast<QWidget*>(img_logo_), static_cast<QWidget*>(lbl_welcome_),
        static_cast<QWidget*>(dbgrid1_), static_cast<QWidget*>(dbgrid2_),
        static_cast<QWidget*>(lbl_records_), static_cast<QWidget*>(lbl_errors_),
        static_cast<QWidget*>(lbl_crit_error_), static_cast<QWidget*>(txt_crit_error_)}) {
    widget->hide();
  }
  viewer_->show();
  UpdateAreas();
  if (view) setWindowTitle(QString::fromStdString(view->caption));
}

void MainWindow::ClearViewer() {
  viewer_->UnloadLabels();
  viewer_->hide();
  UpdateAreas();
}

}  // namespace ledgerly::gui
