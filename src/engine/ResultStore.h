#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Diagnosis.h"
#include "engine/ResultClaim.h"
#include "engine/Sqlite.h"
#include "totals/BlockRows.h"

namespace ledgerly {

inline constexpr const char* kDatabaseFileName = "ERRORLOG.MDB";

// The table definitions of the result database, in creation order.
std::string SchemaSql();

// One RECORDS row. Text is the submission's bytes; the store writes it as UTF-8.
struct StoredRecord {
  int64_t Rec_Num = 0;
  std::string ID;
  std::optional<int64_t> RE_Indx;
  int64_t Errors = 0;
  std::string Record;
  std::optional<std::string> RecReference;
};

// What the file holds after a failed write was rolled back.
struct StoredTail {
  int64_t records = 0;  // Rec_Num of the last stored record
  std::string last_id;  // its ID
  int64_t errors = 0;   // ERRORS rows
};

// Writes one Test run's results. Rows are written as they come, inside a
// transaction committed on Commit() (the run's StoreWriter asks for one at
// least every half second) and Close(), so the file is always a consistent
// database.
class ResultStore {
 public:
  // DeleteMDB + Create_MDB: replaces the previous results at path (refused,
  // with StoreError, for any other kind of file, and for side files "-new"
  // and "-journal" that are not ours) and builds the tables. The run's claim
  // on path is held until the store is closed.
  static std::unique_ptr<ResultStore> Create(const std::filesystem::path& path,
                                             std::unique_ptr<ResultClaim> claim);
  // One database in memory for a process that runs one Test run after another
  // (the fuzz targets): tables and statements are made once, Reset empties the
  // tables for the next run, and closing keeps the connection. No claim, no
  // rename: a file's failure paths are only met through a file.
  static std::unique_ptr<ResultStore> CreateInMemory();
  ~ResultStore();

  // The start of a run on an in-memory store: the tables emptied, the run
  // marked unfinished.
  void Reset();

  void AddMisc(std::string_view path, std::string_view rpt_date);
  void SetPinOK(bool pin_ok, bool first_row);

  void InsertRecord(const StoredRecord& record);
  // code is the finding's entry in the catalogue of checks.
  void InsertError(int64_t rec_num, bool critical, std::string_view code,
                   std::string_view reference, std::string_view user_entry, std::string_view error);
  // For an entry added to a record whose row is already written.
  void AddToErrorCount(int64_t rec_num, int64_t delta);

  void InsertAccumulatorRow(Totals which, const AccumulatorRow& row);
  void UpdateAccumulatorRow(Totals which, const AccumulatorRow& row);

  // A likely cause of damage, in DIAGNOSES of the file it was found in. The
  // table is made by the first one, so a run without any leaves the tables
  // it always had and nothing else.
  void InsertDiagnosis(const Diagnosis& diagnosis);

  // The first commit also puts the new file in place of the previous one.
  void Commit();
  // CloseDatabase: marks the run finished, commits and closes, and lets the
  // claim go; further calls are ignored.
  void Close();

  // After a failed write: drops the open transaction and reads what is stored.
  StoredTail RollBack();
  // Ends a failed run that cannot say why: the file keeps its unfinished mark.
  void CloseUnfinished();
  // Ends a failed run with its Critical entry on the stored record rec_num,
  // in one transaction with the finished mark.
  void CloseWithCritical(int64_t rec_num, std::string_view code, std::string_view reference,
                         std::string_view user_entry, std::string_view error);

  const std::filesystem::path& path() const { return path_; }
  // For reading the results of an in-memory store.
  const Database& database() const { return *db_; }

 private:
  ResultStore(const std::filesystem::path& path, const std::filesystem::path& fresh,
              std::unique_ptr<ResultClaim> claim);
  void Open(const std::filesystem::path& file);
  void MoveIntoPlace();
  void Begin();
  void Release(bool finished);
  void CloseConnection();
  bool InMemory() const;

  std::unique_ptr<ResultClaim> claim_;  // first: released after everything else
  std::filesystem::path path_;
  std::filesystem::path fresh_;  // the new file until it replaces the one at path_
  std::unique_ptr<Database> db_;
  std::unique_ptr<Statement> insert_misc_, pin_first_, pin_last_, insert_record_, insert_error_,
      add_error_count_;
  std::unique_ptr<Statement> insert_acc_[2], update_acc_[2];
  std::vector<std::unique_ptr<Statement>> empty_tables_;  // of an in-memory store, for Reset
  bool in_transaction_ = false;
};

}  // namespace ledgerly
