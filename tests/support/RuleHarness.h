#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "rules/RuleContext.h"
#include "support/MemoryRuleContext.h"

namespace ledgerly {

// Readable failure output for findings (control characters shown escaped).
void PrintTo(const FoundError& finding, std::ostream* os);

namespace test {

// One change to a valid record: text written at a 1-based position.
struct Edit {
  int position;
  std::string text;
};

std::string Edited(std::string record, const std::vector<Edit>& edits);

// A gtest-safe parameter name.
std::string CaseName(const std::string& name);

// What the rules see around a record: ValidEmployer(), the current SSN 123456789 and
// block 1 open; a detail record's block has summed nothing yet, a total record's block
// holds two detail records with a distinct sum in every column.
BlockState DetailState();
BlockState TotalState();

// A record of the type that draws nothing under the state: an RF declares the three RW
// records RunBothWays counts, a total record gives the state's block row.
std::string ValidRecordIn(const std::string& id, const BlockState& state);

// Runs the record's rules as a Test run does (three RW records counted), then as the
// viewer does over the same stored state; a viewer that highlights other fields than
// the run reports, or that counts or sums anything, fails the test. Returns the run.
MemoryRuleContext RunBothWays(std::string_view id, const std::string& record,
                              const BlockState& state);

}  // namespace test
}  // namespace ledgerly
