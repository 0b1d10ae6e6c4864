#include "support/RuleCase.h"

#include <cctype>
#include <cstdio>

#include "support/RecordBuilder.h"

namespace ledgerly {

namespace {
std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 32 && c <= 126) {
      out += static_cast<char>(c);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    }
  }
  return out;
}
}  // namespace

void PrintTo(const Finding& finding, std::ostream* os) {
  *os << "{" << finding.field_no << ", \"" << Escaped(finding.reference) << "\", \""
      << Escaped(finding.user_entry) << "\", \"" << Escaped(finding.error) << "\"}";
}

namespace test {

std::string Edited(std::string record, const std::vector<Edit>& edits) {
  for (const Edit& edit : edits) Put(record, edit.position, edit.text);
  return record;
}

std::set<int> FieldNumbers(const std::vector<Finding>& findings) {
  std::set<int> numbers;
  for (const Finding& finding : findings) numbers.insert(finding.field_no);
  return numbers;
}

std::string CaseName(const std::string& name) {
  std::string out;
  for (char c : name) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return out;
}

}  // namespace test
}  // namespace ledgerly
