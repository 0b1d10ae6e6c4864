#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/Findings.h"

// The catalogue of checks: one entry for every finding the program can report,
// each under a code that never changes once released. A field finding's code is
// its record type, its field number in two digits and its kind ("RW.18.numeric");
// a finding on the file as a whole is "FILE." and its kind ("FILE.record-length").
namespace ledgerly {

struct Check {
  std::string code;
  std::string record_type;  // empty for a finding on the file
  int field = 0;            // the field number in the record's layout; 0 for none
  Severity severity = Severity::Error;
  std::string text;  // placeholders of the field filled in; "{}" marks a value found then
};

// Every entry, by record type in file order, then field, then as the rules try them.
const std::vector<Check>& AllChecks();

// The entry of a code, or nullptr.
const Check* FindCheck(std::string_view code);

std::string CheckCode(std::string_view record_type, int field, std::string_view kind);

// The finding's text on field field_no of a record laid out as layout, each "{}"
// replaced by the next of values (a missing value leaves "{}" as it stands).
std::string FindingText(const Finding& finding, std::span<const FieldLayoutRow> layout,
                        int field_no, std::initializer_list<std::string_view> values = {});

// What a Severity is called in listings: "error" or "critical".
std::string_view SeverityName(Severity severity);

}  // namespace ledgerly
