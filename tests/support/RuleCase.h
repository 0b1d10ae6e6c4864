#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "rules/RuleContext.h"

namespace ledgerly {

// Readable failure output for findings (control characters shown escaped).
void PrintTo(const Finding& finding, std::ostream* os);

namespace test {

// One change to a valid record: text written at a 1-based position.
struct Edit {
  int position;
  std::string text;
};

std::string Edited(std::string record, const std::vector<Edit>& edits);

// The field numbers the findings name; what the viewer must highlight.
std::set<int> FieldNumbers(const std::vector<Finding>& findings);

// A gtest-safe parameter name.
std::string CaseName(const std::string& name);

}  // namespace test
}  // namespace ledgerly
