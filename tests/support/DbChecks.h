#pragma once

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/Sqlite.h"

namespace ledgerly::test {

inline const std::string kCannotRead = "cannot read the database: ";

// What every result database must satisfy whatever the input and however the
// run ended: a sound SQLite file, each RECORDS.Errors equal to its count of
// ERRORS rows, records numbered 1..n without gaps, no entry without its record,
// and a Critical entry only as the last one. Prepared once, for a database
// checked after every run (the fuzz targets').
class ResultDatabaseChecks {
 public:
  explicit ResultDatabaseChecks(const Database& db) : counts_(db, CountsSql()) {}

  // One line per broken rule.
  std::vector<std::string> Faults() {
    std::vector<std::string> faults;
    try {
      if (counts_.Step()) {
        for (std::size_t i = 0; i < std::size(kRules); ++i) {
          const int64_t count = counts_.Int(static_cast<int>(i));
          if (count != 0) faults.push_back(kRules[i].first + (" (" + std::to_string(count) + ")"));
        }
      }
      counts_.Reset();
    } catch (const StoreError& e) {
      faults.push_back(kCannotRead + e.what());
    }
    return faults;
  }

 private:
  // Each rule counts the rows that break it.
  static constexpr std::pair<const char*, const char*> kRules[] = {
      {"integrity_check",
       "SELECT COUNT(*) FROM pragma_integrity_check WHERE integrity_check != 'ok'"},
      {"RECORDS.Errors differs from its ERRORS rows",
       "SELECT COUNT(*) FROM RECORDS r WHERE r.Errors != "
       "(SELECT COUNT(*) FROM ERRORS e WHERE e.Rec_Num = r.Rec_Num)"},
      {"Rec_Num is not 1..n", "SELECT COUNT(*) != IFNULL(MAX(Rec_Num), 0) FROM RECORDS"},
      {"ERRORS row without its record",
       "SELECT COUNT(*) FROM ERRORS WHERE Rec_Num NOT IN (SELECT Rec_Num FROM RECORDS)"},
      {"Critical entry before the last entry",
       "SELECT COUNT(*) FROM ERRORS WHERE Type = 'C' AND Err_Num < (SELECT MAX(Err_Num) FROM "
       "ERRORS)"},
  };

  // All the counts in one row.
  static std::string CountsSql() {
    std::string sql;
    for (const auto& [fault, count_sql] : kRules)
      sql += (sql.empty() ? "SELECT (" : ", (") + std::string(count_sql) + ")";
    return sql;
  }

  Statement counts_;
};

inline std::vector<std::string> ResultDatabaseFaults(const Database& database) {
  try {
    return ResultDatabaseChecks(database).Faults();
  } catch (const StoreError& e) {
    return {kCannotRead + e.what()};
  }
}

inline std::vector<std::string> ResultDatabaseFaults(const std::filesystem::path& db) {
  try {
    return ResultDatabaseFaults(Database(db, Database::Mode::ReadOnly));
  } catch (const StoreError& e) {
    return {kCannotRead + e.what()};
  }
}

}  // namespace ledgerly::test
