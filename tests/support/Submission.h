#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ledgerly::test {

// A record of the given type that passes its field rules, for tests of the run
// itself. Other identifiers give a blank record starting with the identifier.
std::string ValidRecord(std::string_view id);

// The RT record that totals `count` copies of the given RW record.
std::string MatchingRT(const std::string& rw, long long count);

// Submission file content of valid records with the given identifiers, each
// followed by the separator. An RF declares the RW records before it.
std::string Submission(const std::vector<std::string>& ids, std::string_view separator = "\r\n");

// The same submission cut into two files after the first `records` records.
std::pair<std::string, std::string> SplitSubmission(const std::vector<std::string>& ids,
                                                    std::size_t records);

// Separates the files of a split submission within one fuzzer input or corpus file.
inline constexpr std::string_view kNextFileMarker = "\n%%NEXT FILE%%\n";

// Writes a large submission, one record a line: RA, RE, `rw_count` RW records,
// RT, RF; with fault_every K every K-th RW record carries a non-numeric Social
// Security Wages amount. False when the file could not be written.
bool WriteLargeSubmission(const std::string& path, long long rw_count, long long fault_every = 0);

}  // namespace ledgerly::test
