#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QSqlQueryModel;
class QTableView;

namespace ledgerly::gui {

// A read-only grid over a query of ERRORLOG.MDB with its caption bar. Rows are
// fetched as the view scrolls, so a grid of a million records opens at once.
class ResultGrid : public QFrame {
  Q_OBJECT

 public:
  // grid_name and model_name are the control names (DBGrid1, Data1...).
  ResultGrid(const QString& grid_name, const QString& model_name, QStringList column_captions,
             QWidget* parent = nullptr);

  QTableView* view() const { return view_; }
  QSqlQueryModel* model() const { return model_; }
  void setCaption(const QString& caption);

  // Runs the query on the connection; the captions of the columns stay.
  void setQuery(const QString& sql, const QString& connection_name);
  QString lastQuery() const;
  void clear();
  // The text of a column of the current row, or an empty text.
  QString currentText(int column) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitColumns();

  QLabel* caption_;
  QTableView* view_;
  QSqlQueryModel* model_;
  QStringList column_captions_;
};

}  // namespace ledgerly::gui
