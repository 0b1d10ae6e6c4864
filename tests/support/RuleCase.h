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

// A table row of the rule tests: the changes and exactly the findings they draw.
struct RuleCase {
  std::string name;
  std::vector<Edit> edits;
  std::vector<Finding> expected;
};

// A field tested only for printable characters, with its own reference.
struct CharField {
  int field_no;
  int first;
  int last;
  const char* reference;
};

// The one finding a tab at the field's first position draws.
std::vector<Finding> TabFinding(const std::string& record, const CharField& field);

// Failure output names the case instead of dumping its bytes.
void PrintTo(const RuleCase& rule_case, std::ostream* os);
void PrintTo(const CharField& field, std::ostream* os);

std::string Edited(std::string record, const std::vector<Edit>& edits);

// The field numbers the findings name; what the viewer must highlight.
std::set<int> FieldNumbers(const std::vector<Finding>& findings);

// A gtest-safe parameter name.
std::string CaseName(const std::string& name);

}  // namespace test
}  // namespace ledgerly
