#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Sqlite.h"
#include "support/TempFolder.h"

namespace ledgerly::test {

// Builds a result database (ERRORLOG.MDB) directly with SQL, for the readers of results.
class ResultDbBuilder {
 public:
  ResultDbBuilder();
  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& folder() const { return folder_.path(); }
  Database& db() { return *db_; }

  void AddMisc(std::string_view path, std::string_view rpt_date);
  void AddRecord(int64_t rec_num, std::string_view id,
                 std::optional<std::string_view> rec_reference = std::nullopt);
  void AddError(int64_t rec_num, std::string_view reference, std::string_view user_entry,
                std::string_view error, bool critical = false);
  // Runs a script of statements (INSERTs, BEGIN/COMMIT) against the database.
  void Exec(const std::string& sql) { db_->Exec(sql); }

 private:
  TempFolder folder_;
  std::filesystem::path path_;
  std::unique_ptr<Database> db_;
};

}  // namespace ledgerly::test
