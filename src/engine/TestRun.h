#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Diagnosis.h"
#include "engine/ResultStore.h"
#include "engine/RunHost.h"
#include "engine/StoreWriter.h"
#include "rules/FileChecks.h"
#include "rules/RuleContext.h"

namespace ledgerly {

enum class RunOutcome {
  Cancelled,     // the first file dialog was cancelled: the previous database is untouched
  FileNotFound,  // the first file does not exist: the caller may start again
  NoData,        // nothing was stored
  Clean,         // records tested, no errors
  Errors,        // finished (or abandoned after a missing final record) with errors
  Critical,      // stopped by a Critical error (the error limit included)
  Aborted,       // the user chose Exit during the run
  Failed,        // the file or the database failed during the run
};

struct RunResult {
  RunOutcome outcome = RunOutcome::Cancelled;
  int64_t records = 0;  // records stored
  int64_t errors = 0;   // Error entries logged
  int64_t critical_rec_num = 0;
  std::string critical_error;        // the Error text of the Critical entry that stopped the run
  std::vector<Diagnosis> diagnoses;  // the likely causes of damage, as stored
};

inline constexpr int kDefaultErrorLimit = 500;
inline constexpr int kMaxErrorLimit = 25000;
// The name the command line gives standard input ("-"): the one file that may be a pipe.
inline constexpr const char* kStandardInput = "/dev/stdin";

// One Test run: reads the submission file(s) the host chooses, stores every
// record and error in the result database, and reports the outcome.
class TestRun {
 public:
  // With writer_thread the database writes run beside the reading and the
  // rules; the results are the same either way.
  TestRun(RunHost& host, std::filesystem::path database, int error_limit,
          bool writer_thread = true);
  // Into a store that is used again by the next run (ResultStore::CreateInMemory):
  // it is emptied when the first file is opened, where a file would be replaced.
  TestRun(RunHost& host, ResultStore& reused_store, int error_limit, bool writer_thread);
  ~TestRun();

  RunResult ReadFile();

 private:
  class Findings;
  enum class RecordStep { Continue, Stop, EndOfFile };
  enum class FileEnd { Finished, NextFile };

  bool TestFile(const std::string& path);
  std::unique_ptr<ResultClaim> ClaimDatabase();
  // Null when the user chose Exit while waiting for the database.
  std::unique_ptr<StoreWriter> OpenStore();
  RecordStep HandleRecord(std::string& record);
  // After the record's entries: its likely cause of damage, if one explains them.
  void DiagnoseRecord(const class RecordReader& reader, std::string_view record,
                      int64_t errors_before);
  RecordStep HandleEndOfFileMarker(const std::string& record);
  FileEnd EndOfFile();
  void FillFields(std::string_view txtline);
  void CheckFields(std::string_view id, std::string_view txtline);
  void SequenceCheck();
  void StoreCurrentRecord();
  void PersistBlocks();
  void CommitIfDue();
  void CloseStore();
  void StoreDiagnoses();

  void AddError(std::string_view code, std::string_view reference, std::string_view user_entry,
                std::string_view error);
  void AddCriticalError(const FileFinding& finding);
  void LogError(int64_t rec_num, bool critical, std::string_view code, std::string_view reference,
                std::string_view user_entry, std::string_view error);
  // An entry for the last stored record, written after its row.
  void AddErrorToLastRecord(const FileFinding& finding);

  RunResult Result(RunOutcome outcome) const;
  RunResult Finish();
  RunResult Stop(RunOutcome outcome);
  RunResult Fail(std::string_view title, std::string_view text);
  // After a failed write of the result database.
  RunResult FailWithNothingStored(std::string_view title, std::string_view text);
  RunResult FailInStore(std::string_view text);
  RunResult EndAfterStoreFailure(std::string_view text);
  RunResult EndWithCritical(const StoredTail& tail, std::string_view text);
  RunResult EndInFailedStore(std::string_view text, const StoreError& e);
  RunResult AbandonAfterMissingFinal();
  void LogMissingFinal();

  RunHost& host_;
  std::filesystem::path database_path_;
  int error_limit_;
  bool writer_thread_;
  ResultStore* reused_store_ = nullptr;
  std::unique_ptr<StoreWriter> store_;
  std::unique_ptr<Findings> findings_;
  std::unique_ptr<RuleContext> context_;

  // Run state, all reset at the start of ReadFile.
  int64_t rec_ctr_ = 1;
  bool bad_rec_id_ = false, ro_seen_ = false, rs_seen_ = false, seq_error_ = false;
  bool missing_final_ = false;
  bool aborted_ = false;
  std::string current_id_;  // identifier of the record being handled, as read
  std::string last_id_;     // identifier of the last stored record, as read
  int64_t stored_records_ = 0;
  int64_t rw_records_ = 0;
  int64_t error_count_ = 0;
  bool last_error_critical_ = false;
  int64_t critical_rec_num_ = 0;
  std::string critical_error_;
  StoredRecord current_;
  bool current_pending_ = false;

  // The diagnoses of the run, few and written at its end; the codes of the
  // current record's entries; the record whose last bytes the next one holds.
  std::vector<Diagnosis> diagnoses_;
  std::size_t diagnoses_stored_ = 0;
  std::vector<std::string> record_codes_;
  int64_t spilled_rec_num_ = 0;

  // Reading state of the current file.
  std::string file_path_;
  uint64_t file_size_ = 0;
  uint64_t bytes_read_ = 0;
  int64_t file_records_ = 0;
};

}  // namespace ledgerly
