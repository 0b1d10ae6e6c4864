// ViewFile: the record field viewer's display command, called when a row of
// the tested-records grid is chosen.
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

#include "desktop/app/MainWindow.h"
#include "desktop/app/MainWindowPanes.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/common/ErrorNotice.h"
#include "desktop/viewer/RecordViewer.h"
#include "engine/Sqlite.h"
#include "viewer/RecordView.h"

namespace ledgerly::gui {

void MainWindow::ViewFile(int64_t rec_num) {
  // A run rewrites the database the viewer reads; a second view would be
  // filled into the rows of the first.
  if (viewing_ || TestRunning()) return;
  const QScopedValueRollback<bool> viewing(viewing_, true);

  // The viewer reads on a connection of its own; after a failure, shown, it is empty.
  std::optional<RecordView> view;
  try {
    const Database db(DatabasePath(), Database::Mode::ReadOnly);
    view = ledgerly::ViewFile(db, rec_num);
  } catch (const StoreError& e) {
    ShowErrorNotice(this, e);
  }
  if (view) {
    viewer_->ShowRows(view->rows);
  } else {
    viewer_->UnloadLabels();
  }

  SetShown({start_pane_->logo, start_pane_->welcome, errors_pane_->records, errors_pane_->errors,
            errors_pane_->records_heading, errors_pane_->errors_heading, critical_pane_->heading,
            critical_pane_->text},
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
