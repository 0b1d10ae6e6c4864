#include "desktop/app/GridRows.h"

namespace ledgerly::gui {
namespace {

const QString kRecordRowSql =
    QStringLiteral("Select Rec_Num, Errors, Record From Records Where Rec_Num = ?");

}  // namespace

GridRows AllRecords() {
  return {GridRows::Keys::Numbered,
          QStringLiteral("Select IfNull(Max(Rec_Num), 0) From Records"),
          {},
          kRecordRowSql};
}

// The error index names the records with errors without a pass over every
// record; the error count of the record confirms each one.
GridRows RecordsWithErrors() {
  return {GridRows::Keys::Listed,
          QStringLiteral("Select Records.Rec_Num From (Select Distinct Rec_Num From Errors) As E "
                         "Join Records On Records.Rec_Num = E.Rec_Num Where Records.Errors > 0 "
                         "Order By Records.Rec_Num"),
          {},
          kRecordRowSql};
}

GridRows RecordsWithError(const QString& reference, const QString& error) {
  return {GridRows::Keys::Listed,
          QStringLiteral("Select Distinct Rec_Num From Errors Where Reference = ? And Error = ? "
                         "Order By Rec_Num"),
          {reference, error},
          kRecordRowSql};
}

GridRows ErrorsOfRecord(int64_t rec_num) {
  return {GridRows::Keys::Listed,
          QStringLiteral("Select Err_Num From Errors Where Rec_Num = ? Order By Err_Num"),
          {QVariant::fromValue<qlonglong>(rec_num)},
          QStringLiteral("Select Reference, User_Entry, Error From Errors Where Err_Num = ?")};
}

}  // namespace ledgerly::gui
