#pragma once

#include <QString>
#include <QVariantList>
#include <cstdint>

namespace ledgerly::gui {

// What a result grid shows: the keys of its rows in display order, and the
// query that reads one row by its key. Rows are read by key on demand, so a
// grid knows its row count at once and any row can be reached directly.
struct GridRows {
  enum class Keys {
    Numbered,  // keys_sql answers one number n: the keys are 1..n
    Listed,    // keys_sql answers one key a row, in display order
  };
  Keys keys = Keys::Listed;
  QString keys_sql;
  QVariantList keys_values;  // bound to the placeholders of keys_sql
  QString row_sql;           // the shown columns of one row; its one placeholder is the key

  bool IsEmpty() const { return row_sql.isEmpty(); }
};

// Every tested record, by Rec_Num. Records are numbered 1..n without gaps,
// so the highest number is the row count and row r holds record r + 1.
GridRows AllRecords();
// The records with errors, in record order.
GridRows RecordsWithErrors();
// The records with at least one error of this reference and description.
GridRows RecordsWithError(const QString& reference, const QString& error);
// The errors of one record, in the order they were logged.
GridRows ErrorsOfRecord(int64_t rec_num);

}  // namespace ledgerly::gui
