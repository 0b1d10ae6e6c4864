#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

// One accumulator row of an employer block: TRT (RW sums, columns 1-24) or
// TRU (RO sums, columns 1-19). Amounts are whole cents.
struct AccumulatorRow {
  static constexpr int kMaxColumns = 24;
  static constexpr const char* kNoErrRef = "None";

  int64_t Indx = 0;  // 0 while no RE record has opened a block
  std::string RE_EIN;
  int64_t count = 0;                                  // column "0"
  std::array<int64_t, kMaxColumns + 1> sums{};        // columns "1".."24"; [0] unused
  std::array<std::string, kMaxColumns + 1> err_refs;  // "F1ErrRef".."F24ErrRef"; [0] unused

  AccumulatorRow() { err_refs.fill(kNoErrRef); }
};

enum class Totals { TRT, TRU };

// What a field rule may ask of its surroundings. In a Test run the errors become
// ERRORS rows and the accumulators are kept; in viewer mode the errors only mark
// field numbers to highlight and nothing is stored.
class RuleContext {
 public:
  virtual ~RuleContext() = default;

  virtual bool ViewerMode() const = 0;

  // The error sink of every field rule.
  virtual void AddFieldError(std::string_view reference, std::string_view user_entry,
                             std::string_view error, int field_no) = 0;

  // Viewer mode only: take the highlight off a field again (RA User ID box).
  virtual void ClearHighlight(int field_no) = 0;

  // Record-level stamps on the RECORDS row of the record under test (ignored in viewer mode).
  virtual void SetRecordReference(std::string_view rec_reference) = 0;
  virtual void LinkRecord(std::string_view rec_reference, int64_t re_indx) = 0;
  virtual void ReplaceStoredRecord(std::string_view record_text) = 0;

  // MISC PinOK: written in a Test run, read back in viewer mode.
  virtual void SetPinOK(bool pin_ok) = 0;
  virtual bool StoredPinOK() = 0;

  // Number of RW records stored so far in the run (identifiers compared case-insensitively).
  virtual int64_t CountRWRecords() = 0;

  // Opens an employer block: one TRT and one TRU row, the RE record linked to them.
  virtual void OpenBlock(std::string_view ein) = 0;

  // The accumulator row a rule works with. In a Test run: the current block's row.
  // In viewer mode: the stored row of the block of the record being viewed.
  AccumulatorRow& Row(Totals which) { return which == Totals::TRT ? trt : tru; }

  // Accumulator operations. All are no-ops in viewer mode.
  void AddToTRT(int column, bool link, int64_t amount) { AddTo(Totals::TRT, column, link, amount); }
  void AddToTRU(int column, bool link, int64_t amount) { AddTo(Totals::TRU, column, link, amount); }
  void MarkTRTErrRef(int column) { MarkErrRef(Totals::TRT, column); }
  void MarkTRUErrRef(int column) { MarkErrRef(Totals::TRU, column); }
  void AddRWMoneyError(std::string_view reference, std::string_view user_entry,
                       std::string_view error, int field_no, int err_ref_column);
  void AddROMoneyError(std::string_view reference, std::string_view user_entry,
                       std::string_view error, int field_no, int err_ref_column);

  // Main-window state carried from record to record.
  EmployerValues employer;
  std::string current_ssn;
  AccumulatorRow trt;
  AccumulatorRow tru;

 protected:
  // Replaces the rows by the empty rows of the next block; returns its Indx.
  int64_t StartBlockRows(std::string_view ein);

 private:
  void AddTo(Totals which, int column, bool link, int64_t amount);
  void MarkErrRef(Totals which, int column);
};

// A context that keeps everything in memory: the rule tests use it, and the
// viewer mode is this context with `viewer_mode` set.
struct Finding {
  std::string reference;
  std::string user_entry;
  std::string error;
  int field_no = 0;
  bool operator==(const Finding&) const = default;
};

class MemoryRuleContext : public RuleContext {
 public:
  explicit MemoryRuleContext(bool viewer_mode = false) : viewer_mode_(viewer_mode) {}

  bool ViewerMode() const override { return viewer_mode_; }
  void AddFieldError(std::string_view reference, std::string_view user_entry,
                     std::string_view error, int field_no) override;
  void ClearHighlight(int field_no) override { highlighted.erase(field_no); }
  void SetRecordReference(std::string_view rec_reference) override;
  void LinkRecord(std::string_view rec_reference, int64_t re_indx) override;
  void ReplaceStoredRecord(std::string_view record_text) override;
  void SetPinOK(bool pin_ok) override;
  bool StoredPinOK() override { return pin_ok; }
  int64_t CountRWRecords() override { return rw_records; }
  void OpenBlock(std::string_view ein) override;

  // What the rules did, for the caller to inspect.
  std::vector<Finding> findings;
  std::set<int> highlighted;
  std::string rec_reference;
  int64_t re_indx = 0;
  std::string stored_record;
  bool pin_ok = false;
  int64_t rw_records = 0;

 private:
  bool viewer_mode_;
};

}  // namespace ledgerly
