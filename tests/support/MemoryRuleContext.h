#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/RuleContext.h"

namespace ledgerly {

// A Test run that keeps everything in memory, for the rule tests.
struct FoundError {
  std::string reference;
  std::string user_entry;
  std::string error;
  int field_no = 0;
  bool operator==(const FoundError&) const = default;
};

class MemoryRuleContext : public RunRuleContext {
 public:
  void AddFieldError(std::string_view code, std::string_view reference,
                     std::string_view user_entry, std::string_view error, int field_no) override {
    codes.emplace_back(code);
    findings.push_back(
        {std::string(reference), std::string(user_entry), std::string(error), field_no});
  }
  void SetRecordReference(std::string_view reference) override { rec_reference = reference; }
  void LinkRecord(std::string_view reference, int64_t indx) override {
    rec_reference = reference;
    re_indx = indx;
  }
  void ReplaceStoredRecord(std::string_view record_text) override { stored_record = record_text; }
  void SetPinOK(bool value) override { pin_ok = value; }
  int64_t CountRWRecords() override { return rw_records; }
  void OpenBlock(std::string_view ein) override { LinkRecord(ein, StartBlockRows(ein)); }

  // What the rules did, for the caller to inspect.
  std::vector<FoundError> findings;
  std::vector<std::string> codes;  // the catalogue code of each finding
  std::string rec_reference;
  int64_t re_indx = 0;
  std::string stored_record;
  bool pin_ok = false;
  int64_t rw_records = 0;
};

}  // namespace ledgerly
