#include "app/ResultDatabase.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

#include "engine/RunState.h"
#include "engine/Sqlite.h"

namespace ledgerly::gui {

ResultDatabase::ResultDatabase(QString path) : path_(std::move(path)) {
  static std::atomic<int> next{0};
  connection_name_ = QStringLiteral("ledgerly_results_%1").arg(++next);
}

ResultDatabase::~ResultDatabase() {
  Close();
  QSqlDatabase::removeDatabase(connection_name_);
}

bool ResultDatabase::Exists() const {
  return QFileInfo(path_).isFile();
}

bool ResultDatabase::Open() {
  if (IsOpen()) return true;
  if (!Exists()) return false;
  QSqlDatabase db = QSqlDatabase::contains(connection_name_)
                        ? QSqlDatabase::database(connection_name_, false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_name_);
  db.setDatabaseName(path_);
  RecoverInterruptedWrite(path_.toStdString());
  // Nothing the user does in a view may change the results.
  db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
  return db.open();
}

void ResultDatabase::Close() {
  if (!QSqlDatabase::contains(connection_name_)) return;
  QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
  if (db.isOpen()) db.close();
}

bool ResultDatabase::IsOpen() const {
  return QSqlDatabase::contains(connection_name_) &&
         QSqlDatabase::database(connection_name_, false).isOpen();
}

QSqlDatabase ResultDatabase::Connection() const {
  return QSqlDatabase::database(connection_name_, false);
}

int64_t ResultDatabase::Number(const QString& sql) const {
  if (!IsOpen()) return 0;
  QSqlQuery query(Connection());
  if (!query.exec(sql) || !query.next()) return 0;
  return query.value(0).toLongLong();
}

bool ResultDatabase::HasErrors() const {
  return Number(QStringLiteral("SELECT EXISTS (SELECT 1 FROM Errors)")) != 0;
}

bool ResultDatabase::HasRecords() const {
  return Number(QStringLiteral("SELECT EXISTS (SELECT 1 FROM Records)")) != 0;
}

// Rec_Num runs 1, 2, 3... without gaps, so the highest number is the count; a
// COUNT(*) would read the whole table of a large submission.
int64_t ResultDatabase::RecordCount() const {
  return Number(QStringLiteral("SELECT COALESCE(MAX(Rec_Num), 0) FROM Records"));
}

// A record's Errors count is above zero exactly when it has ERRORS rows; the
// index on ERRORS.Rec_Num makes this quick.
int64_t ResultDatabase::RecordsWithErrorsCount() const {
  return Number(QStringLiteral("SELECT COUNT(DISTINCT Rec_Num) FROM Errors"));
}

std::optional<ResultDatabase::ErrorEntry> ResultDatabase::LastError() const {
  if (!IsOpen()) return std::nullopt;
  QSqlQuery query(Connection());
  if (!query.exec(QStringLiteral(
          "SELECT Type, Rec_Num, Error FROM Errors ORDER BY Err_Num DESC LIMIT 1")) ||
      !query.next()) {
    return std::nullopt;
  }
  return ErrorEntry{query.value(0).toString() == QLatin1String("C"), query.value(1).toLongLong(),
                    query.value(2).toString()};
}

bool ResultDatabase::RunFinished() const {
  try {
    const Database db(path_.toStdString(), Database::Mode::ReadOnly);
    return ledgerly::RunFinished(db);
  } catch (const StoreError&) {
    // A file that cannot be read shows no results to call incomplete; the
    // views report its failure themselves.
    return true;
  }
}

QStringList ResultDatabase::FilePaths() const {
  QStringList paths;
  if (!IsOpen()) return paths;
  QSqlQuery query(Connection());
  if (!query.exec(QStringLiteral("SELECT Path FROM Misc ORDER BY Data_Id"))) return paths;
  while (query.next()) paths << query.value(0).toString();
  return paths;
}

}  // namespace ledgerly::gui
