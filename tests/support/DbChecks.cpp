#include "support/DbChecks.h"

#include "engine/Sqlite.h"

namespace ledgerly::test {
namespace {

struct Rule {
  const char* fault;
  const char* count_sql;  // counts the rows that break the rule
};

constexpr Rule kRules[] = {
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

}  // namespace

std::vector<std::string> ResultDatabaseFaults(const std::filesystem::path& db) {
  std::vector<std::string> faults;
  try {
    Database database(db, Database::Mode::ReadOnly);
    Statement integrity(database, "PRAGMA integrity_check");
    while (integrity.Step()) {
      if (integrity.Text(0) != "ok") faults.push_back("integrity_check: " + integrity.Text(0));
    }
    for (const Rule& rule : kRules) {
      Statement count(database, rule.count_sql);
      if (count.Step() && count.Int(0) != 0) {
        faults.push_back(std::string(rule.fault) + " (" + std::to_string(count.Int(0)) + ")");
      }
    }
  } catch (const StoreError& e) {
    faults.push_back(std::string("cannot read the database: ") + e.what());
  }
  return faults;
}

}  // namespace ledgerly::test
