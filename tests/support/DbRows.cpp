#include "support/DbRows.h"

#include "engine/Sqlite.h"

namespace ledgerly::test {

std::vector<std::vector<std::string>> QueryRows(const std::filesystem::path& db,
                                                const std::string& sql) {
  Database database(db, Database::Mode::ReadOnly);
  Statement statement(database, sql);
  std::vector<std::vector<std::string>> rows;
  const int columns = statement.ColumnCount();
  while (statement.Step()) {
    std::vector<std::string> row;
    for (int i = 0; i < columns; ++i)
      row.push_back(statement.IsNull(i) ? "NULL" : statement.Text(i));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string QueryValue(const std::filesystem::path& db, const std::string& sql) {
  const auto rows = QueryRows(db, sql);
  return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
}

}  // namespace ledgerly::test
