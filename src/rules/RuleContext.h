#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "totals/BlockRows.h"

namespace ledgerly {

// Values the RE rule leaves for the records of its employer block.
struct EmployerValues {
  int TaxYear = 0;
  std::string TaxYearText;
  std::string EmploymentCode;
  std::string TaxJurisdiction;
  bool TaxJurisdictionOK = false;
  std::string TaxJurisdictionRaw;
};

// What the rules carry from record to record: the employer values of the
// current block, the SSN of the current detail record and the block's rows.
struct BlockState {
  EmployerValues employer;
  std::string current_ssn;
  AccumulatorRow trt;
  AccumulatorRow tru;

  AccumulatorRow& Row(Totals which) { return which == Totals::TRT ? trt : tru; }
};

// Where the rules report their findings: the one thing a Test run, the record
// field viewer and a test do differently. code is the finding's entry in the
// catalogue of checks.
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void AddFieldError(std::string_view code, std::string_view reference,
                             std::string_view user_entry, std::string_view error, int field_no) = 0;
};

// What a record's rules leave on its RECORDS row; the caller clears it before
// each record and applies what is set.
struct RecordStamps {
  std::optional<std::string> rec_reference;
  std::optional<int64_t> re_indx;
  std::optional<std::string> stored_record;  // the record as it is to be kept
  std::optional<bool> pin_ok;                // MISC PinOK of the run
  bool opened_block = false;                 // an RE opened the block in `block`
};

// What the rules of a record work with: the sink, the block's values and sums,
// what they read of the run and what they leave for its RECORDS row. A Test run
// keeps the sums it is given and writes them to TRT/TRU; the viewer gives the
// stored rows of the record's block and throws its copy away.
class RuleContext {
 public:
  explicit RuleContext(FindingSink& findings) : findings_(&findings) {}

  void AddFieldError(std::string_view code, std::string_view reference, std::string_view user_entry,
                     std::string_view error, int field_no) {
    findings_->AddFieldError(code, reference, user_entry, error, field_no);
  }

  // True when the record is a stored copy whose User ID, valid when tested, was
  // replaced by asterisks; its ID error is then not the filer's.
  bool UserIdMaskedInStore() const { return user_id_masked_in_store; }
  // Number of RW records stored so far in the run (identifiers compared case-insensitively).
  int64_t CountRWRecords() const { return rw_records; }

  void SetRecordReference(std::string_view rec_reference) {
    stamps.rec_reference = std::string(rec_reference);
  }
  void LinkRecord(std::string_view rec_reference, int64_t re_indx) {
    SetRecordReference(rec_reference);
    stamps.re_indx = re_indx;
  }
  void ReplaceStoredRecord(std::string_view record_text) {
    stamps.stored_record = std::string(record_text);
  }
  void SetPinOK(bool pin_ok) { stamps.pin_ok = pin_ok; }

  // Opens an employer block: the empty rows of the next block, the RE record linked to them.
  void OpenBlock(std::string_view ein);
  // The block's accumulators: the record counted in its block and linked to it
  // under the current SSN, an amount added to a sum column, a sum column marked
  // incomplete by a non-numeric amount (the first SSN is kept).
  void CountInBlock(Totals which);
  void AddToSum(Totals which, int column, int64_t amount) { Row(which).Add(column, amount); }
  void MarkIncomplete(Totals which, int column) {
    Row(which).MarkIncomplete(column, block.current_ssn);
  }

  AccumulatorRow& Row(Totals which) { return block.Row(which); }

  BlockState block;
  bool user_id_masked_in_store = false;
  int64_t rw_records = 0;
  RecordStamps stamps;

 protected:
  // For a context that is its own sink, once copied.
  void SetSink(FindingSink& findings) { findings_ = &findings; }

 private:
  FindingSink* findings_;
};

}  // namespace ledgerly
