#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace ledgerly::gui {

// The result views' read-only connection to ERRORLOG.MDB. It is closed before a
// Test run replaces the file and opened again on the new one.
class ResultDatabase {
 public:
  explicit ResultDatabase(QString path);
  ~ResultDatabase();
  ResultDatabase(const ResultDatabase&) = delete;
  ResultDatabase& operator=(const ResultDatabase&) = delete;

  bool Exists() const;
  // Opens the file if it exists and is not open yet.
  bool Open();
  void Close();
  bool IsOpen() const;
  QSqlDatabase Connection() const;

  bool HasErrors() const;
  bool HasRecords() const;
  // The number of RECORDS rows.
  int64_t RecordCount() const;
  // The number of records that have at least one error.
  int64_t RecordsWithErrorsCount() const;

  struct ErrorEntry {
    bool critical = false;
    int64_t rec_num = 0;
    QString error;
  };
  std::optional<ErrorEntry> LastError() const;
  // False when the run that wrote the file was cut short.
  bool RunFinished() const;
  // MISC.Path of every file of the run, in table order.
  QStringList FilePaths() const;

 private:
  int64_t Number(const QString& sql) const;

  QString connection_name_;
  QString path_;
};

}  // namespace ledgerly::gui
