// ViewFile: the record field viewer's display command, called when a row of
// the tested-records grid is chosen.
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

#include "desktop/app/MainWindow.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/viewer/RecordViewer.h"
#include "engine/Sqlite.h"
#include "viewer/RecordView.h"

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

  SetShown({img_logo_, lbl_welcome_, dbgrid1_, dbgrid2_, lbl_records_, lbl_errors_, lbl_crit_error_,
            txt_crit_error_},
           false);
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
