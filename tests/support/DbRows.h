#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Sqlite.h"

namespace ledgerly::test {

// Every row of a query, each column as text ("NULL" for a null).
inline std::vector<std::vector<std::string>> QueryRows(const Database& database,
                                                       const std::string& sql) {
  Statement statement(database, sql);
  std::vector<std::vector<std::string>> rows;
  while (statement.Step()) {
    rows.emplace_back();
    for (int i = 0; i < statement.ColumnCount(); ++i) {
      rows.back().push_back(statement.IsNull(i) ? "NULL" : statement.Text(i));
    }
  }
  return rows;
}

inline std::vector<std::vector<std::string>> QueryRows(const std::filesystem::path& db,
                                                       const std::string& sql) {
  return QueryRows(Database(db, Database::Mode::ReadOnly), sql);
}

// The first column of the first row.
inline std::string QueryValue(const std::filesystem::path& db, const std::string& sql) {
  const auto rows = QueryRows(db, sql);
  return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
}

// The ERRORS entries as the tests compare them (record, type, reference, user
// entry, error), in logging order; `tail` follows the WHERE clause, if any.
inline std::vector<std::vector<std::string>> ErrorEntries(const std::filesystem::path& db,
                                                          const std::string& tail = "") {
  return QueryRows(db,
                   "SELECT Rec_Num, IFNULL(Type, ''), Reference, User_Entry, Error FROM ERRORS " +
                       (tail.empty() ? std::string("ORDER BY Err_Num") : tail));
}

}  // namespace ledgerly::test
