#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/ResultStore.h"
#include "engine/Sqlite.h"
#include "support/TempFolder.h"

namespace ledgerly::test {

// Builds a result database (ERRORLOG.MDB) directly with SQL, for the readers of results.
class ResultDbBuilder {
 public:
  ResultDbBuilder() {
    // A test database needs no durability; without it every INSERT waits for the disk.
    db_->Exec("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY;");
    db_->Exec(SchemaSql());
  }
  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& folder() const { return folder_.path(); }
  Database& db() { return *db_; }

  void AddMisc(std::string_view path, std::string_view rpt_date) {
    Statement(*db_, "INSERT INTO MISC (Path, RptDate) VALUES (?, ?)")
        .Bind(1, path)
        .Bind(2, rpt_date)
        .Run();
  }
  void AddRecord(int64_t rec_num, std::string_view id,
                 std::optional<std::string_view> rec_reference = std::nullopt) {
    Statement s(*db_,
                "INSERT INTO RECORDS (Rec_Num, ID, Record, RecReference) VALUES (?, ?, ?, ?)");
    s.Bind(1, rec_num).Bind(2, id).Bind(3, std::string(id) + std::string(510, ' '));
    rec_reference ? s.Bind(4, *rec_reference) : s.BindNull(4);
    s.Run();
  }
  void AddError(int64_t rec_num, std::string_view reference, std::string_view user_entry,
                std::string_view error, bool critical = false) {
    Statement s(*db_,
                "INSERT INTO ERRORS (Type, Rec_Num, Reference, User_Entry, Error) "
                "VALUES (?, ?, ?, ?, ?)");
    critical ? s.Bind(1, std::string_view("C")) : s.BindNull(1);
    s.Bind(2, rec_num).Bind(3, reference).Bind(4, user_entry).Bind(5, error).Run();
    Exec("UPDATE RECORDS SET Errors = Errors + 1 WHERE Rec_Num = " + std::to_string(rec_num));
  }
  // Runs a script of statements (INSERTs, BEGIN/COMMIT) against the database.
  void Exec(const std::string& sql) { db_->Exec(sql); }

 private:
  TempFolder folder_;
  std::filesystem::path path_ = folder_.path() / kDatabaseFileName;
  std::unique_ptr<Database> db_ =
      std::make_unique<Database>(path_, Database::Mode::ReadWriteCreate);
};

}  // namespace ledgerly::test
