#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ledgerly::test {

// What every result database must satisfy whatever the input and however the
// run ended: a sound SQLite file, each RECORDS.Errors equal to its count of
// ERRORS rows, records numbered 1..n without gaps, no entry without its record,
// and a Critical entry only as the last one. Returns one line per broken rule.
std::vector<std::string> ResultDatabaseFaults(const std::filesystem::path& db);

}  // namespace ledgerly::test
