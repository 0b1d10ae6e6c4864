#pragma once

#include <cctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rules/RecordRules.h"
#include "support/MemoryRuleContext.h"
#include "support/RecordBuilder.h"
#include "support/TempFolder.h"
#include "support/ValidDetailRecords.h"
#include "support/ValidRecords.h"

namespace ledgerly::test {

// A record of the given type that passes its field rules, for tests of the run
// itself. Other identifiers give a blank record starting with the identifier.
inline std::string ValidRecord(std::string_view id) {
  if (id == "RA") return ValidRA();
  if (id == "RE") return ValidRE();
  if (id == "RW") return ValidRW();
  if (id == "RO") return ValidRO();
  if (id == "RF") return ValidRF(0);
  return BlankRecord(id);
}

// The RT record that totals `count` copies of the given RW record.
inline std::string MatchingRT(const std::string& rw, long long count) {
  MemoryRuleContext ctx;
  CheckCodeRE(ValidRE(), ctx);
  CheckCodeRW(rw, ctx);
  AccumulatorRow totals = ctx.block.trt;
  totals.count *= count;
  for (int64_t& sum : totals.sums) sum *= count;
  return ValidRT(totals);
}

// Submission file content of valid records with the given identifiers, each
// followed by the separator. An RF declares the RW records before it. The totals
// records are built from what the rules summed over the block, so they reconcile
// whatever the detail records hold.
inline std::string Submission(const std::vector<std::string>& ids,
                              std::string_view separator = "\r\n") {
  MemoryRuleContext rules;
  std::string content;
  long long rw_count = 0;
  for (const std::string& given_id : ids) {
    // A lower-case identifier is dispatched as its upper-case type.
    std::string id = given_id;
    for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string record;
    if (id == "RF") {
      record = ValidRF(rw_count);
    } else if (id == "RT") {
      record = ValidRT(rules.block.trt);
    } else if (id == "RU") {
      record = ValidRU(rules.block.tru);
    } else {
      record = ValidRecord(id);
      if (id == "RE") CheckCodeRE(record, rules);
      if (id == "RW") CheckCodeRW(record, rules);
      if (id == "RO") CheckCodeRO(record, rules);
    }
    if (id == "RW") ++rw_count;
    record.replace(0, given_id.size(), given_id);
    content += record;
    content += separator;
  }
  return content;
}

// The same submission cut into two files after the first `records` records.
inline std::pair<std::string, std::string> SplitSubmission(const std::vector<std::string>& ids,
                                                           std::size_t records) {
  const std::string content = Submission(ids);
  const std::size_t cut = records * 514;  // 512 characters and CR LF each
  return {content.substr(0, cut), content.substr(cut)};
}

// Separates the files of a split submission within one fuzzer input or corpus file.
inline constexpr std::string_view kNextFileMarker = "\n%%NEXT FILE%%\n";

// The files of such an input written to dir, in the order a run takes them.
inline std::deque<std::string> WriteSubmissionFiles(const TempFolder& dir, std::string_view input) {
  std::deque<std::string> files;
  for (std::size_t start = 0;;) {
    const std::size_t end = input.find(kNextFileMarker, start);
    files.push_back(dir.Write("file" + std::to_string(files.size() + 1) + ".txt",
                              std::string(input.substr(start, end - start))));
    if (end == std::string_view::npos) return files;
    start = end + kNextFileMarker.size();
  }
}

// Writes a large submission, one record a line: RA, RE, `rw_count` RW records,
// RT, RF; with fault_every K every K-th RW record carries a non-numeric Social
// Security Wages amount. False when the file could not be written.
inline bool WriteLargeSubmission(const std::string& path, long long rw_count,
                                 long long fault_every = 0) {
  const std::string rw = ValidRecord("RW");
  std::string faulty = rw;
  faulty.replace(209, 11, "12345ABCDEF");
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out << ValidRecord("RA") << '\n' << ValidRecord("RE") << '\n';
  for (long long i = 1; i <= rw_count; ++i) {
    out << (fault_every > 0 && i % fault_every == 0 ? faulty : rw) << '\n';
  }
  out << MatchingRT(rw, rw_count) << '\n' << ValidRF(rw_count) << '\n';
  return static_cast<bool>(out.flush());
}

}  // namespace ledgerly::test
