#include "support/ResultDbBuilder.h"

#include "engine/ResultStore.h"

namespace ledgerly::test {

ResultDbBuilder::ResultDbBuilder()
    : path_(folder_.path() / kDatabaseFileName),
      db_(std::make_unique<Database>(path_, Database::Mode::ReadWriteCreate)) {
  // A test database needs no durability; without it every INSERT waits for the disk.
  db_->Exec("PRAGMA synchronous = OFF");
  db_->Exec("PRAGMA journal_mode = MEMORY");
  db_->Exec(SchemaSql());
}

void ResultDbBuilder::AddMisc(std::string_view path, std::string_view rpt_date) {
  Statement(*db_, "INSERT INTO MISC (Path, RptDate) VALUES (?, ?)")
      .Bind(1, path)
      .Bind(2, rpt_date)
      .Run();
}

void ResultDbBuilder::AddRecord(int64_t rec_num, std::string_view id,
                                std::optional<std::string_view> rec_reference) {
  Statement s(*db_, "INSERT INTO RECORDS (Rec_Num, ID, Record, RecReference) VALUES (?, ?, ?, ?)");
  s.Bind(1, rec_num).Bind(2, id).Bind(3, std::string(id) + std::string(510, ' '));
  if (rec_reference) {
    s.Bind(4, *rec_reference);
  } else {
    s.BindNull(4);
  }
  s.Run();
}

void ResultDbBuilder::AddError(int64_t rec_num, std::string_view reference,
                               std::string_view user_entry, std::string_view error, bool critical) {
  Statement s(*db_,
              "INSERT INTO ERRORS (Type, Rec_Num, Reference, User_Entry, Error) "
              "VALUES (?, ?, ?, ?, ?)");
  if (critical) {
    s.Bind(1, std::string_view("C"));
  } else {
    s.BindNull(1);
  }
  s.Bind(2, rec_num).Bind(3, reference).Bind(4, user_entry).Bind(5, error).Run();
  Statement(*db_, "UPDATE RECORDS SET Errors = Errors + 1 WHERE Rec_Num = ?")
      .Bind(1, rec_num)
      .Run();
}

}  // namespace ledgerly::test
