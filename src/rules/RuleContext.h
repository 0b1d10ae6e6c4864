#pragma once

#include <cstdint>
#include <set>
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

// What a field rule may ask of its surroundings. A Test run and the record field
// viewer each have their own context, so no rule asks which one it runs in.
class RuleContext {
 public:
  virtual ~RuleContext() = default;

  // The error sink of every field rule; code is the finding's entry in the catalogue.
  virtual void AddFieldError(std::string_view code, std::string_view reference,
                             std::string_view user_entry, std::string_view error,
                             int field_no) = 0;

  // True when the record is a stored copy whose User ID, valid when tested, was
  // replaced by asterisks; its ID error is then not the filer's.
  virtual bool UserIdMaskedInStore() = 0;

  // Record-level stamps on the RECORDS row of the record under test.
  virtual void SetRecordReference(std::string_view rec_reference) = 0;
  virtual void LinkRecord(std::string_view rec_reference, int64_t re_indx) = 0;
  virtual void ReplaceStoredRecord(std::string_view record_text) = 0;

  // MISC PinOK of the run.
  virtual void SetPinOK(bool pin_ok) = 0;

  // Number of RW records stored so far in the run (identifiers compared case-insensitively).
  virtual int64_t CountRWRecords() = 0;

  // Opens an employer block: one TRT and one TRU row, the RE record linked to them.
  virtual void OpenBlock(std::string_view ein) = 0;

  // The block's accumulators: the record counted in its block and linked to it
  // under the current SSN, an amount added to a sum column, a sum column marked
  // incomplete by a non-numeric amount (the first SSN is kept).
  virtual void CountInBlock(Totals which) = 0;
  virtual void AddToSum(Totals which, int column, int64_t amount) = 0;
  virtual void MarkIncomplete(Totals which, int column) = 0;

  // The accumulator row a rule works with. In a Test run: the current block's row.
  // In the viewer: the stored row of the block of the record being viewed.
  AccumulatorRow& Row(Totals which) { return block.Row(which); }

  BlockState block;
};

// A Test run's accumulators, kept in memory.
class RunRuleContext : public RuleContext {
 public:
  void CountInBlock(Totals which) override;
  void AddToSum(Totals which, int column, int64_t amount) override;
  void MarkIncomplete(Totals which, int column) override;
  bool UserIdMaskedInStore() override { return false; }

 protected:
  // Replaces the rows by the empty rows of the next block; returns its Indx.
  int64_t StartBlockRows(std::string_view ein);
};

// The record field viewer: the rules run again over a stored record to find the
// faulty fields. Nothing is stored, counted or summed; the block rows, PinOK and
// the RW count are those of the stored run.
class ViewerRuleContext : public RuleContext {
 public:
  void AddFieldError(std::string_view, std::string_view, std::string_view, std::string_view,
                     int field_no) override {
    highlighted.insert(field_no);
  }
  bool UserIdMaskedInStore() override { return stored_pin_ok; }
  void SetRecordReference(std::string_view) override {}
  void LinkRecord(std::string_view, int64_t) override {}
  void ReplaceStoredRecord(std::string_view) override {}
  void SetPinOK(bool) override {}
  int64_t CountRWRecords() override { return stored_rw_records; }
  void OpenBlock(std::string_view) override {}
  void CountInBlock(Totals) override {}
  void AddToSum(Totals, int, int64_t) override {}
  void MarkIncomplete(Totals, int) override {}

  // The fields to highlight.
  std::set<int> highlighted;
  bool stored_pin_ok = false;
  int64_t stored_rw_records = 0;
};

}  // namespace ledgerly
