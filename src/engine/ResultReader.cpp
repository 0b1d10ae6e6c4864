#include "engine/ResultReader.h"

#include <cmath>
#include <sstream>

#include "engine/Latin1.h"
#include "engine/RunState.h"
#include "totals/BlockRows.h"

namespace ledgerly {

int64_t ResultReader::Number(std::string_view sql) const {
  Statement statement(db_, sql);
  return statement.Step() ? statement.Int(0) : 0;
}

std::vector<std::string> ResultReader::TestedFiles() const {
  std::vector<std::string> files;
  Statement misc(db_, "SELECT Path FROM MISC ORDER BY Data_Id");
  while (misc.Step()) files.push_back(misc.Text(0));
  return files;
}

std::string ResultReader::ReportDate() const {
  Statement misc(db_, "SELECT RptDate FROM MISC ORDER BY Data_Id LIMIT 1");
  return misc.Step() ? misc.Text(0) : std::string();
}

std::optional<CriticalError> ResultReader::CriticalEntry() const {
  Statement last(db_, "SELECT Type, Rec_Num, Error FROM ERRORS ORDER BY Err_Num DESC LIMIT 1");
  if (!last.Step() || last.Text(0) != "C") return std::nullopt;
  return CriticalError{last.Int(1), last.Text(2)};
}

// Records are numbered 1..n without gaps: the highest number is the count,
// read from the key instead of a scan of every record.
int64_t ResultReader::RecordCount() const {
  return Number("SELECT IFNULL(MAX(Rec_Num), 0) FROM RECORDS");
}

std::vector<std::pair<int64_t, std::string>> ResultReader::FindingCodes() const {
  Statement statement(db_, "SELECT Rec_Num, IFNULL(Code, '') FROM ERRORS ORDER BY Err_Num");
  std::vector<std::pair<int64_t, std::string>> codes;
  while (statement.Step()) codes.emplace_back(statement.Int(0), statement.Text(1));
  return codes;
}

std::vector<BlockStart> ResultReader::EmployerBlocks() const {
  Statement statement(db_,
                      "SELECT Rec_Num, IFNULL(RecReference, '') FROM RECORDS WHERE ID = 'RE' "
                      "ORDER BY Rec_Num");
  std::vector<BlockStart> blocks;
  while (statement.Step()) blocks.push_back({statement.Int(0), statement.Text(1)});
  return blocks;
}

// The index on ERRORS.Rec_Num makes this quick.
int64_t ResultReader::RecordsWithErrors() const {
  return Number("SELECT COUNT(DISTINCT Rec_Num) FROM ERRORS");
}

int64_t ResultReader::ErrorCount() const {
  return Number("SELECT COUNT(*) FROM ERRORS");
}

bool ResultReader::HasRecords() const {
  return Number("SELECT EXISTS (SELECT 1 FROM RECORDS)") != 0;
}

bool ResultReader::HasErrors() const {
  return Number("SELECT EXISTS (SELECT 1 FROM ERRORS)") != 0;
}

int64_t ResultReader::CountRecordsWithId(std::string_view id) const {
  Statement statement(db_, "SELECT COUNT(*) FROM RECORDS WHERE ID = ?");
  statement.Bind(1, id);
  return statement.Step() ? statement.Int(0) : 0;
}

bool ResultReader::RunFinished() const {
  return ledgerly::RunFinished(db_);
}

bool ResultReader::PinOK() const {
  return Number("SELECT PinOK FROM MISC ORDER BY Data_Id LIMIT 1") == 1;
}

std::optional<RecordRow> ResultReader::Record(int64_t rec_num) const {
  Statement statement(db_, "SELECT Record, RE_Indx, ID FROM RECORDS WHERE Rec_Num = ?");
  statement.Bind(1, rec_num);
  if (!statement.Step()) return std::nullopt;
  RecordRow stored;
  stored.record = Utf8ToLatin1(statement.Text(0));
  if (!statement.IsNull(1)) stored.re_indx = statement.Int(1);
  stored.id = statement.Text(2);
  return stored;
}

std::optional<std::string> ResultReader::EmployerRecord(int64_t re_indx) const {
  Statement statement(db_, "SELECT Record FROM RECORDS WHERE ID = 'RE' AND RE_Indx = ?");
  statement.Bind(1, re_indx);
  if (!statement.Step()) return std::nullopt;
  return Utf8ToLatin1(statement.Text(0));
}

std::optional<AccumulatorRow> ResultReader::BlockRow(Totals which, int64_t indx) const {
  Statement statement(db_, std::string("SELECT * FROM ") + TableName(which) + " WHERE Indx = ?");
  statement.Bind(1, indx);
  if (!statement.Step()) return std::nullopt;
  AccumulatorRow row;
  row.Indx = statement.Int(0);
  row.RE_EIN = Utf8ToLatin1(statement.Text(1));
  row.count = statement.Int(2);
  for (int column = 1; column <= ColumnCount(which); ++column) {
    row.sums[column] = std::llround(statement.Real(1 + 2 * column));
    row.err_refs[column] = Utf8ToLatin1(statement.Text(2 + 2 * column));
  }
  return row;
}

RecordErrors ResultReader::ErrorsOf(int64_t rec_num) const {
  Statement errors(db_,
                   "SELECT COUNT(*), (SELECT Type FROM ERRORS WHERE Rec_Num = ?1 ORDER BY Err_Num "
                   "DESC LIMIT 1), (SELECT Reference FROM ERRORS WHERE Rec_Num = ?1 ORDER BY "
                   "Err_Num DESC LIMIT 1) FROM ERRORS WHERE Rec_Num = ?1");
  errors.Bind(1, rec_num);
  RecordErrors result;
  if (errors.Step()) {
    result.count = errors.Int(0);
    result.last_type = errors.Text(1);
    result.last_reference = errors.Text(2);
  }
  return result;
}

std::vector<StoredDiagnosis> ResultReader::Diagnoses() const {
  std::vector<StoredDiagnosis> diagnoses;
  if (Number("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'DIAGNOSES'") == 0)
    return diagnoses;
  Statement rows(db_,
                 "SELECT Code, Path, Rec_Num, Offset, Position, Bytes, Explanation, Explains "
                 "FROM DIAGNOSES ORDER BY Rec_Num, Diag_Num");
  Statement code(db_, "SELECT Code FROM ERRORS WHERE Err_Num = ?");
  while (rows.Step()) {
    StoredDiagnosis d{rows.Text(0), rows.Text(1), rows.Int(2),  rows.Int(3),
                      rows.Int(4),  rows.Text(5), rows.Text(6), {}};
    std::istringstream err_nums(rows.Text(7));
    for (int64_t err_num = 0; err_nums >> err_num;) {
      code.Reset();
      code.Bind(1, err_num);
      d.explains.emplace_back(err_num, code.Step() ? code.Text(0) : std::string());
    }
    diagnoses.push_back(std::move(d));
  }
  return diagnoses;
}

}  // namespace ledgerly
