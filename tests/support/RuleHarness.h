#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/RuleContext.h"

namespace ledgerly::test {

// What the rules see around a record: the employer values and block rows left by
// the records before it. The current SSN is 123456789 and three RW records are counted.
struct RuleState {
  EmployerValues employer;
  AccumulatorRow trt;
  AccumulatorRow tru;
};

// A detail record's surroundings: ValidEmployer() and block 1 open, nothing summed.
RuleState DetailState();

// A stored block row of two detail records with a distinct sum in every column.
AccumulatorRow SampleBlockRow();

// A total record's surroundings: ValidEmployer() and SampleBlockRow() in both rows.
RuleState TotalState();

// What the record drew in the Test run.
struct RuleRun {
  std::vector<Finding> findings;
  AccumulatorRow trt;
  AccumulatorRow tru;
  std::string rec_reference;
};

// Runs the record's rules as a Test run does, then as the viewer does over the same
// stored state; a viewer that highlights other fields than the run reports, or that
// counts or sums anything, fails the test.
RuleRun RunBothWays(std::string_view id, const std::string& record, const RuleState& state);

}  // namespace ledgerly::test
