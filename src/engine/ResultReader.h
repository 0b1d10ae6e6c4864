#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Sqlite.h"
#include "totals/BlockRows.h"

namespace ledgerly {

// The entry that stopped the run: the last ERRORS row when its Type is "C".
struct CriticalError {
  int64_t rec_num = 0;
  std::string error;
};

// A RECORDS row as the viewer needs it.
struct RecordRow {
  std::string record;  // Latin-1, as the rules read it
  std::optional<int64_t> re_indx;
  std::string id;  // as stored
};

// A DIAGNOSES row: the likely cause of damage in a record, and the entries it
// explains, each by its Err_Num and catalogue code.
struct StoredDiagnosis {
  std::string code;
  std::string file;
  int64_t rec_num = 0;
  int64_t offset = 0;
  int64_t position = 0;
  std::string bytes;  // hex
  std::string explanation;
  std::vector<std::pair<int64_t, std::string>> explains;
};

// The ERRORS rows of one record: how many, and the last one's Type and Reference.
struct RecordErrors {
  int64_t count = 0;
  std::string last_type;
  std::string last_reference;
};

// Where an employer block starts: its RE record and that record's EIN.
struct BlockStart {
  int64_t rec_num = 0;
  std::string ein;
};

// Every read of ERRORLOG.MDB: the reports, the record field viewer and the
// desktop program's captions ask here. Texts are UTF-8 unless said otherwise.
// A failed read throws StoreError with SQLite's reason.
class ResultReader {
 public:
  explicit ResultReader(const Database& db) : db_(db) {}

  // MISC.Path of every file of the run, in table order.
  std::vector<std::string> TestedFiles() const;
  // RptDate of the first MISC row, as stored; empty without one.
  std::string ReportDate() const;
  std::optional<CriticalError> CriticalEntry() const;

  int64_t RecordCount() const;
  // Each Error entry's record and check code, in the order found.
  std::vector<std::pair<int64_t, std::string>> FindingCodes() const;
  // The RE records, in record order.
  std::vector<BlockStart> EmployerBlocks() const;
  int64_t RecordsWithErrors() const;
  int64_t ErrorCount() const;
  bool HasRecords() const;
  bool HasErrors() const;
  int64_t CountRecordsWithId(std::string_view id) const;
  // MISC.PinOK of the run's first file.
  bool PinOK() const;
  // False when the run that wrote the file was cut short (see RunState.h).
  bool RunFinished() const;

  std::optional<RecordRow> Record(int64_t rec_num) const;
  // The RE record that opened block re_indx (Latin-1).
  std::optional<std::string> EmployerRecord(int64_t re_indx) const;
  // The TRT or TRU row of block indx, as the run left it.
  std::optional<AccumulatorRow> BlockRow(Totals which, int64_t indx) const;
  RecordErrors ErrorsOf(int64_t rec_num) const;
  // In Rec_Num order; none in results written before there were diagnoses.
  std::vector<StoredDiagnosis> Diagnoses() const;

 private:
  int64_t Number(std::string_view sql) const;

  const Database& db_;
};

}  // namespace ledgerly
