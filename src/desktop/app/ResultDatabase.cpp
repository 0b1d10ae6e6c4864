#include "desktop/app/ResultDatabase.h"

#include <QFileInfo>
#include <atomic>

#include "engine/FileNames.h"

namespace ledgerly::gui {
namespace {

bool IsDamagedFile(const StoreError& error) {
  const int primary_code = error.code() & 0xff;
  return primary_code == SQLITE_NOTADB || primary_code == SQLITE_CORRUPT;
}

}  // namespace

ResultDatabase::ResultDatabase(QString path, FailureHandler on_failure)
    : path_(std::move(path)), on_failure_(std::move(on_failure)) {
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
  being_written_ = false;
  if (!Exists()) return false;
  QSqlDatabase db = QSqlDatabase::contains(connection_name_)
                        ? QSqlDatabase::database(connection_name_, false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_name_);
  db.setDatabaseName(path_);
  // The claim first: no run may replace the results while they are shown, and
  // none is writing them now. Then the core's connection: it plays back an
  // interrupted write, which the read-only Qt connection could not.
  try {
    claim_ = ResultClaim::ForViewing(PathOf(path_.toStdString()));
    database_ = std::make_unique<Database>(PathOf(path_.toStdString()), Database::Mode::ReadOnly);
    ResultReader(*database_).HasRecords();
  } catch (const StoreError& e) {
    database_.reset();
    claim_.reset();
    being_written_ = dynamic_cast<const ResultsBeingWritten*>(&e) != nullptr;
    // A file that is not a result database holds no readable results, which
    // the views say in their own words.
    if (!IsDamagedFile(e)) on_failure_(e);
    return false;
  }
  // Nothing the user does in a view may change the results.
  db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
  if (!db.open()) {
    database_.reset();
    claim_.reset();
    return false;
  }
  reader_ = std::make_unique<ResultReader>(*database_);
  return true;
}

void ResultDatabase::Close() {
  reader_.reset();
  database_.reset();
  if (QSqlDatabase::contains(connection_name_)) {
    QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    if (db.isOpen()) db.close();
  }
  claim_.reset();
}

bool ResultDatabase::IsOpen() const {
  return QSqlDatabase::contains(connection_name_) &&
         QSqlDatabase::database(connection_name_, false).isOpen();
}

QSqlDatabase ResultDatabase::Connection() const {
  return QSqlDatabase::database(connection_name_, false);
}

template <typename Read, typename Answer>
Answer ResultDatabase::Ask(Read read, Answer closed) const {
  if (!reader_) return closed;
  try {
    return read(*reader_);
  } catch (const StoreError& e) {
    on_failure_(e);
    return closed;
  }
}

bool ResultDatabase::HasErrors() const {
  return Ask([](const ResultReader& reader) { return reader.HasErrors(); }, false);
}

bool ResultDatabase::HasRecords() const {
  return Ask([](const ResultReader& reader) { return reader.HasRecords(); }, false);
}

int64_t ResultDatabase::RecordCount() const {
  return Ask([](const ResultReader& reader) { return reader.RecordCount(); }, int64_t{0});
}

int64_t ResultDatabase::RecordsWithErrorsCount() const {
  return Ask([](const ResultReader& reader) { return reader.RecordsWithErrors(); }, int64_t{0});
}

std::optional<CriticalError> ResultDatabase::CriticalEntry() const {
  return Ask([](const ResultReader& reader) { return reader.CriticalEntry(); },
             std::optional<CriticalError>());
}

bool ResultDatabase::RunFinished() const {
  return Ask([](const ResultReader& reader) { return reader.RunFinished(); }, true);
}

QStringList ResultDatabase::FilePaths() const {
  return Ask(
      [](const ResultReader& reader) {
        QStringList paths;
        for (const std::string& path : reader.TestedFiles()) paths << QString::fromStdString(path);
        return paths;
      },
      QStringList());
}

std::vector<ErrorSummaryRow> ResultDatabase::ErrorSummary() const {
  return Ask([this](const ResultReader&) { return ReadErrorSummary(*database_); },
             std::vector<ErrorSummaryRow>());
}

}  // namespace ledgerly::gui
