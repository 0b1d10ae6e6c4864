#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/RuleContext.h"
#include "viewer/RecordView.h"

namespace ledgerly {

// A Test run that keeps everything in memory, for the rule tests.
struct FoundError {
  std::string reference;
  std::string user_entry;
  std::string error;
  int field_no = 0;
  bool operator==(const FoundError&) const = default;
};

class MemoryRuleContext : public FindingSink, public RuleContext {
 public:
  MemoryRuleContext() : RuleContext(static_cast<FindingSink&>(*this)) {}
  MemoryRuleContext(const MemoryRuleContext& other)
      : FindingSink(other), RuleContext(other), findings(other.findings), codes(other.codes) {
    SetSink(*this);
  }
  MemoryRuleContext& operator=(const MemoryRuleContext&) = delete;

  void AddFieldError(std::string_view code, std::string_view reference, std::string_view user_entry,
                     std::string_view error, int field_no) override {
    codes.emplace_back(code);
    findings.push_back(
        {std::string(reference), std::string(user_entry), std::string(error), field_no});
  }

  // What the rules did, for the caller to inspect.
  std::vector<FoundError> findings;
  std::vector<std::string> codes;  // the catalogue code of each finding
};

// The viewer's way: the rules over a stored record, only the faulty fields kept.
struct ViewerRuleContext : FieldHighlights, RuleContext {
  ViewerRuleContext() : RuleContext(static_cast<FindingSink&>(*this)) {}
  ViewerRuleContext(const ViewerRuleContext&) = delete;
};

}  // namespace ledgerly
