#include "reports/JUnitReport.h"

#include <algorithm>

#include "reports/CiSupport.h"
#include "reports/RunVerdict.h"
#include "rules/Catalogue.h"

namespace ledgerly {
namespace {

// Checks of the records outside any employer block, and of the file as a whole.
bool OfTheFile(std::string_view record_type) {
  return record_type.empty() || record_type == "RA" || record_type == "RF";
}

std::string Attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + XmlEscaped(value) + "\"";
}

}  // namespace

void JUnitReport::Begin(const ReportSummary& summary) {
  if (!whole_file_suite_.empty()) return;
  sink_.Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" +
              Attribute("name", std::string(kToolName) + " " + JoinFiles(summary.files)) + ">\n");
}

void JUnitReport::Error(const ErrorRow& row) {
  const Check* check = FindCheck(row.code);
  const auto after = std::upper_bound(
      blocks_.begin(), blocks_.end(), row.rec_num,
      [](int64_t rec_num, const BlockStart& block) { return rec_num < block.rec_num; });
  const bool of_file = after == blocks_.begin() || OfTheFile(check ? check->record_type : row.id);
  if (!of_file) Advance(static_cast<std::size_t>(after - blocks_.begin()) - 1);
  // An entry without a code (results written before codes) is named by its reference.
  const std::string name = check ? check->code : row.reference;
  Failure& failure = (of_file ? file_failures_ : block_failures_)[name];
  if (failure.count++ == 0) failure.text = check ? check->text : row.error;
  if (failure.count <= kListedRecords) {
    failure.lines += FindingMessage(row) + "\n";
  } else if (failure.count == kListedRecords + 1) {
    failure.lines += "(further records in the full report)\n";
  }
}

void JUnitReport::Advance(std::size_t block) {
  for (; open_ < block && open_ < blocks_.size(); ++open_) {
    const BlockStart& start = blocks_[open_];
    WriteSuite("Employer block at record " + std::to_string(start.rec_num) +
                   (start.ein.empty() ? "" : " (EIN: " + start.ein + ")"),
               Scope::Block, block_failures_);
    block_failures_.clear();
  }
}

void JUnitReport::End() {
  if (!whole_file_suite_.empty()) {
    WriteSuite(whole_file_suite_, Scope::All, file_failures_);
    return;
  }
  Advance(blocks_.size());
  WriteSuite("Submission: the RA and RF records and the order of the file", Scope::File,
             file_failures_);
  sink_.Write("</testsuites>\n");
}

void JUnitReport::WriteSuite(const std::string& name, Scope scope, const Failures& failures) {
  std::string cases;
  int64_t tests = 0;
  const auto test_case = [&](const std::string& code, std::string_view record_type) {
    ++tests;
    cases += "    <testcase" + Attribute("name", code) +
             Attribute("classname",
                       "ledgerly." + std::string(record_type.empty() ? "FILE" : record_type)) +
             " time=\"0\"";
    const auto it = failures.find(code);
    if (it == failures.end()) {
      cases += "/>\n";
      return;
    }
    const Failure& failure = it->second;
    cases += ">\n      <failure" + Attribute("type", code) +
             Attribute("message", std::to_string(failure.count) + " found: " + failure.text) + ">" +
             XmlEscaped(failure.lines) + "</failure>\n    </testcase>\n";
  };
  for (const Check& check : AllChecks()) {
    const bool of_file = OfTheFile(check.record_type);
    if (scope == Scope::All || of_file == (scope == Scope::File)) {
      test_case(check.code, check.record_type);
    }
  }
  for (const auto& [code, failure] : failures) {
    if (FindCheck(code) == nullptr) test_case(code, "");
  }
  sink_.Write("  <testsuite" + Attribute("name", name) + Attribute("tests", std::to_string(tests)) +
              Attribute("failures", std::to_string(failures.size())) +
              " errors=\"0\" skipped=\"0\" time=\"0\">\n" + cases + "  </testsuite>\n");
}

}  // namespace ledgerly
