#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "engine/ResultClaim.h"
#include "engine/ResultReader.h"
#include "reports/ErrorSummary.h"

namespace ledgerly::gui {

// The result views' read-only connections to ERRORLOG.MDB: Qt's for the grid
// models, the core's for every other read. While they are open the window
// holds a viewer's claim on the file, so no other program's run replaces the
// results it shows. Both are closed before the window's own Test run replaces
// the file and opened again on the new one. While closed the counts
// are zero. A failed open or read goes to the failure handler, which shows it,
// and the answer is the one of a closed file.
class ResultDatabase {
 public:
  using FailureHandler = std::function<void(const std::exception&)>;
  ResultDatabase(QString path, FailureHandler on_failure);
  ~ResultDatabase();
  ResultDatabase(const ResultDatabase&) = delete;
  ResultDatabase& operator=(const ResultDatabase&) = delete;

  bool Exists() const;
  // Opens the file if it exists and is not open yet.
  bool Open();
  void Close();
  bool IsOpen() const;
  // The last Open failed because a Test run of another program is writing the file.
  bool BeingWritten() const { return being_written_; }
  QSqlDatabase Connection() const;

  bool HasErrors() const;
  bool HasRecords() const;
  int64_t RecordCount() const;
  int64_t RecordsWithErrorsCount() const;
  std::optional<CriticalError> CriticalEntry() const;
  // False when the run that wrote the file was cut short.
  bool RunFinished() const;
  // MISC.Path of every file of the run, in table order.
  QStringList FilePaths() const;
  // One row per kind of error, the most frequent first.
  std::vector<ErrorSummaryRow> ErrorSummary() const;

 private:
  template <typename Read, typename Answer>
  Answer Ask(Read read, Answer closed) const;

  QString connection_name_;
  QString path_;
  FailureHandler on_failure_;
  std::unique_ptr<ResultClaim> claim_;
  bool being_written_ = false;
  std::unique_ptr<Database> database_;
  std::unique_ptr<ResultReader> reader_;
};

}  // namespace ledgerly::gui
