#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <vector>

#include "desktop/app/GridRows.h"

namespace ledgerly::gui {

// A read-only table over ERRORLOG.MDB that knows its row count as soon as it
// is given its rows and reads rows by position when the view asks for them,
// a block at a time, keeping the blocks read last. Ctrl+End, Page Down or
// the scroll thumb reach any row of a result of millions of records at once.
class ResultRowsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  ResultRowsModel(QStringList column_captions, QObject* parent = nullptr);

  // Reads the keys of the rows; the rows themselves are read when shown.
  // False when the keys could not be read (readFailed says why).
  bool SetRows(const GridRows& rows, const QSqlDatabase& db);
  const GridRows& Rows() const { return rows_; }
  void Clear();

  // The key of a row (Rec_Num or Err_Num); the row of a key, or -1.
  int64_t KeyOf(int row) const;
  int RowOf(int64_t key) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 signals:
  // A read of the database failed; the rows concerned show empty.
  void readFailed(const QString& what, const QString& why) const;

 private:
  using Block = QVector<QStringList>;
  const Block& BlockOf(int row) const;

  QStringList column_captions_;
  GridRows rows_;
  QSqlDatabase db_;
  int64_t numbered_count_ = 0;  // Keys::Numbered
  std::vector<int64_t> keys_;   // Keys::Listed, ascending
  mutable QCache<int, Block> blocks_;
};

}  // namespace ledgerly::gui
