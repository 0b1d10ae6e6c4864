#pragma once

#include <QFrame>
#include <QStringList>
#include <map>

#include "desktop/app/GridRows.h"

class QAbstractItemModel;
class QLabel;
class QTableView;

namespace ledgerly::gui {

class ResultRowsModel;

// A read-only table of whole rows, one chosen at a time, as every result list shows.
void ShowAsRows(QTableView* view, QAbstractItemModel* model);

// A read-only grid over rows of ERRORLOG.MDB with its caption bar. The grid
// knows its row count at once and reads the rows it shows, so a grid of
// millions of records opens at once and any row is reached directly.
class ResultGrid : public QFrame {
  Q_OBJECT

 public:
  // grid_name and model_name are the control names (DBGrid1, Data1...).
  ResultGrid(const QString& grid_name, const QString& model_name, QStringList column_captions,
             QWidget* parent = nullptr);

  QTableView* view() const { return view_; }
  ResultRowsModel* model() const { return model_; }
  void setCaption(const QString& caption);
  QString caption() const;

  // Shows the rows on the connection; the captions of the columns stay.
  void setRows(const GridRows& rows, const QString& connection_name);
  const GridRows& rows() const;
  void clear();
  // The text of a column of the current row, or an empty text.
  QString currentText(int column) const;
  // Makes the row of this key current and shows it in the middle of the grid.
  bool goToKey(int64_t key);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool IsRecordGrid() const;
  void ShowCaption();
  void FitColumns();
  int ContentWidth(int column) const;

  QLabel* caption_;
  QString caption_text_;
  QTableView* view_;
  ResultRowsModel* model_;
  QStringList column_captions_;
  std::map<int, int> user_widths_;  // columns the user has sized, kept for every later row set
  bool fitting_ = false;
};

}  // namespace ledgerly::gui
