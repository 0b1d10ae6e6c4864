#include "engine/ResultStore.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

#include "engine/FileNames.h"
#include "engine/Latin1.h"
#include "engine/RunState.h"
#include "platform/PrivateFiles.h"
#include "platform/ReplacementFile.h"
#include "totals/BlockRows.h"

namespace ledgerly {
namespace {

std::string AccumulatorTableSql(Totals which) {
  std::string sql = std::string("CREATE TABLE ") + TableName(which) +
                    " (Indx INTEGER PRIMARY KEY, RE_EIN TEXT, \"0\" INTEGER DEFAULT 0";
  for (int column = 1; column <= ColumnCount(which); ++column) {
    const std::string n = std::to_string(column);
    sql += ", \"" + n + "\" REAL DEFAULT 0, F" + n + "ErrRef TEXT DEFAULT 'None'";
  }
  return sql + ");\n";
}

std::string UpdateAccumulatorSql(Totals which) {
  std::string sql = std::string("UPDATE ") + TableName(which) + " SET \"0\" = ?2";
  for (int column = 1; column <= ColumnCount(which); ++column) {
    const std::string n = std::to_string(column);
    sql += ", \"" + n + "\" = ?" + std::to_string(1 + 2 * column) + ", F" + n + "ErrRef = ?" +
           std::to_string(2 + 2 * column);
  }
  return sql + " WHERE Indx = ?1";
}

void RemoveIfPresent(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) throw StoreError(ec.value(), "Cannot delete " + path.string() + ": " + ec.message());
}

std::filesystem::path JournalOf(const std::filesystem::path& database) {
  return WithSuffix(database, "-journal");
}

// Marks the files this program creates, so a run replaces nothing else.
constexpr int kApplicationId = 0x4C44474C;
constexpr const char* kTableNames = "('MISC', 'RECORDS', 'ERRORS', 'TRT', 'TRU')";
// A reader of the new results (the sqlite3 shell, a report) holds up a commit
// for as long as it reads; the run waits for it rather than fail.
constexpr int kWriterBusyWaitMs = 60000;
// SQLite's name for a database that lives only in its connection.
constexpr const char* kInMemoryPath = ":memory:";

[[noreturn]] void Refuse(int code, const std::filesystem::path& path, const std::string& what) {
  throw StoreError(code, path.string() + " is not a Ledgerly result database (" + what +
                             "); it was left unchanged.");
}

enum class Found { Nothing, Empty, Ours };

// A run replaces or removes only a result database (ours, or an older one
// without the mark but with our five tables), an empty file or nothing: a
// mistyped --db must not destroy a file. Reading it plays back the journal of
// a run that was killed.
Found Inspect(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return Found::Nothing;
  if (ec) throw StoreError(SQLITE_CANTOPEN, path.string() + ": " + ec.message());
  if (std::filesystem::is_directory(status)) Refuse(SQLITE_CANTOPEN, path, "it is a folder");
  if (!std::filesystem::is_regular_file(status)) {
    Refuse(SQLITE_CANTOPEN, path, "it is not a regular file");
  }
  if (std::filesystem::file_size(path, ec) == 0 && !ec) return Found::Empty;
  bool ours = false;
  try {
    Database db(path, Database::Mode::ReadWriteCreate);
    // A shared lock only: a reader of the previous results may go on reading.
    db.Exec("BEGIN");
    Statement id(db, "PRAGMA application_id");
    const int64_t application_id = id.Step() ? id.Int(0) : 0;
    Statement tables(db, std::string("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' "
                                     "AND name IN ") +
                             kTableNames);
    const bool our_tables = tables.Step() && tables.Int(0) == 5;
    db.Exec("ROLLBACK");
    ours = application_id == kApplicationId || (application_id == 0 && our_tables);
  } catch (const StoreError& e) {
    const int primary = e.code() & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
      throw StoreError(e.code(),
                       path.string() + " is in use by another program (" + e.what() + ")");
    }
    if (primary != SQLITE_NOTADB) throw;
    Refuse(e.code(), path, std::string("it is not an SQLite database: ") + e.what());
  }
  if (!ours) Refuse(SQLITE_NOTADB, path, "it is another program's SQLite database");
  return Found::Ours;
}

// The start of every rollback journal SQLite writes.
constexpr unsigned char kJournalMagic[] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};

bool IsEmptyOrJournal(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char head[sizeof kJournalMagic] = {};
  in.read(head, sizeof head);
  return in.gcount() == 0 ||
         (in.gcount() == sizeof head && std::memcmp(head, kJournalMagic, sizeof head) == 0);
}

// A journal left beside `database` would be played back into the file that
// takes its name. It goes when its database is ours, or when it is a bare
// journal whose database is gone; anything else is in the way.
void RemoveStaleJournal(const std::filesystem::path& database, Found found) {
  const std::filesystem::path journal = JournalOf(database);
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(journal, ec);
  if (status.type() == std::filesystem::file_type::not_found) return;
  if (found == Found::Nothing &&
      (!std::filesystem::is_regular_file(status) || !IsEmptyOrJournal(journal))) {
    throw StoreError(SQLITE_CANTOPEN, journal.string() +
                                          " is in the way: it is not a journal of a Ledgerly "
                                          "result database; it was left unchanged.");
  }
  RemoveIfPresent(journal);
}

// The new file, empty and private to its owner before SQLite opens it: its
// journal is created with the same permissions.
void CreatePrivateFile(const std::filesystem::path& path) {
  try {
    platform::WritePrivateFile(path, "", false);
  } catch (const std::system_error& e) {
    throw StoreError(SQLITE_CANTOPEN, "unable to open database file: " + path.string() + " (" +
                                          e.code().message() + ")");
  }
}

// Without an early exit, so the compiler checks many characters at once.
bool IsAscii(std::string_view text) {
  unsigned char bits = 0;
  for (char c : text) bits |= static_cast<unsigned char>(c);
  return bits < 0x80;
}

// Binds submission text as UTF-8; plain ASCII, the usual case, is bound as it
// is, without a copy: the caller's text outlives the statement's run.
void BindLatin1(Statement& statement, int index, std::string_view text) {
  if (IsAscii(text)) {
    statement.BindView(index, text);
  } else {
    statement.Bind(index, Latin1ToUtf8(text));
  }
}

}  // namespace

std::string SchemaSql() {
  return "CREATE TABLE MISC (Data_Id INTEGER PRIMARY KEY, Path TEXT, PinOK INTEGER DEFAULT 0, "
         "RptDate TEXT);\n"
         "CREATE TABLE RECORDS (Rec_Num INTEGER PRIMARY KEY, ID TEXT COLLATE NOCASE, "
         "RE_Indx INTEGER, Errors INTEGER DEFAULT 0, Record TEXT, RecReference TEXT);\n"
         "CREATE TABLE ERRORS (Err_Num INTEGER PRIMARY KEY, Type TEXT, Rec_Num INTEGER, "
         "Reference TEXT, User_Entry TEXT, Error TEXT, Code TEXT);\n"
         "CREATE INDEX ERRORS_Rec_Num ON ERRORS (Rec_Num);\n" +
         AccumulatorTableSql(Totals::TRT) + AccumulatorTableSql(Totals::TRU);
}

// The new file is built under another name and renamed over the old one once
// it holds a record, so whenever the process is killed ERRORLOG.MDB is either
// the previous results or a database with all its tables, never a file
// without them; a run stopped before its first record keeps the previous ones.
std::unique_ptr<ResultStore> ResultStore::Create(const std::filesystem::path& path,
                                                 std::unique_ptr<ResultClaim> claim) {
  RemoveStaleJournal(path, Inspect(path));
  const std::filesystem::path fresh = WithSuffix(path, "-new");
  const Found fresh_found = Inspect(fresh);
  RemoveStaleJournal(fresh, fresh_found);
  RemoveIfPresent(fresh);
  try {
    CreatePrivateFile(fresh);
    Database db(fresh, Database::Mode::ReadWriteCreate);
    // Larger pages than the default 4 KiB: fewer page writes and tree levels for
    // a table of 512-character records.
    db.Exec("PRAGMA page_size = 16384");
    db.Exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    db.Exec("BEGIN");
    db.Exec(SchemaSql());
    MarkRunUnfinished(db);
    db.Exec("COMMIT");
  } catch (const StoreError&) {
    // The half-built file is of no use to anyone; the previous one stays.
    std::error_code ec;
    std::filesystem::remove(fresh, ec);
    std::filesystem::remove(JournalOf(fresh), ec);
    throw;
  }
  return std::unique_ptr<ResultStore>(new ResultStore(path, fresh, std::move(claim)));
}

std::unique_ptr<ResultStore> ResultStore::CreateInMemory() {
  return std::unique_ptr<ResultStore>(new ResultStore(kInMemoryPath, {}, nullptr));
}

ResultStore::ResultStore(const std::filesystem::path& path, const std::filesystem::path& fresh,
                         std::unique_ptr<ResultClaim> claim)
    : claim_(std::move(claim)), path_(path), fresh_(fresh) {
  Open(InMemory() ? path_ : fresh_);
  Begin();
}

bool ResultStore::InMemory() const {
  return path_ == kInMemoryPath;
}

void ResultStore::Reset() {
  if (!sqlite3_get_autocommit(db_->handle())) db_->Exec("ROLLBACK");
  db_->Exec("BEGIN");
  for (const auto& empty_table : empty_tables_) empty_table->Run();
  db_->Exec("DROP TABLE IF EXISTS DIAGNOSES");
  MarkRunUnfinished(*db_);
  db_->Exec("COMMIT");
  Begin();
}

// Between transactions only: a journal belongs to the name it was opened by.
void ResultStore::MoveIntoPlace() {
  CloseConnection();
  // A journal left by a killed run would be played back into the new file.
  RemoveIfPresent(JournalOf(path_));
  if (const std::error_code ec = platform::MoveOver(fresh_, path_)) {
    // Still usable for the failure entry, which then stays in the new file.
    Open(fresh_);
    throw StoreError(ec.value(), "Cannot replace " + path_.string() + ": " + ec.message());
  }
  fresh_.clear();
}

void ResultStore::Open(const std::filesystem::path& file) {
  db_ = std::make_unique<Database>(file, Database::Mode::ReadWriteCreate);
  if (InMemory()) {
    // Small pages: a run of a few records then touches little memory.
    db_->Exec("PRAGMA page_size = 1024");
    db_->Exec(SchemaSql());
  }
  sqlite3_busy_timeout(db_->handle(), kWriterBusyWaitMs);
  db_->Exec("PRAGMA synchronous = NORMAL");
  // 16 MiB of page cache rather than 2: once the cache is full, SQLite writes
  // pages to the file under an exclusive lock kept to the end of the
  // transaction, which shuts out every reader (the desktop program's views, a
  // report) until the next commit.
  db_->Exec("PRAGMA cache_size = -16384");
  insert_misc_ =
      std::make_unique<Statement>(*db_, "INSERT INTO MISC (Path, RptDate) VALUES (?, ?)");
  pin_first_ = std::make_unique<Statement>(
      *db_, "UPDATE MISC SET PinOK = ? WHERE Data_Id = (SELECT MIN(Data_Id) FROM MISC)");
  pin_last_ = std::make_unique<Statement>(
      *db_, "UPDATE MISC SET PinOK = ? WHERE Data_Id = (SELECT MAX(Data_Id) FROM MISC)");
  insert_record_ = std::make_unique<Statement>(
      *db_,
      "INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) "
      "VALUES (?, ?, ?, ?, ?, ?)");
  insert_error_ = std::make_unique<Statement>(
      *db_,
      "INSERT INTO ERRORS (Type, Rec_Num, Reference, User_Entry, Error, Code) "
      "VALUES (?, ?, ?, ?, ?, ?)");
  add_error_count_ =
      std::make_unique<Statement>(*db_, "UPDATE RECORDS SET Errors = Errors + ? WHERE Rec_Num = ?");
  for (Totals which : {Totals::TRT, Totals::TRU}) {
    const int i = static_cast<int>(which);
    insert_acc_[i] = std::make_unique<Statement>(
        *db_, std::string("INSERT INTO ") + TableName(which) + " (Indx, RE_EIN) VALUES (?, ?)");
    update_acc_[i] = std::make_unique<Statement>(*db_, UpdateAccumulatorSql(which));
  }
  if (InMemory()) {
    Statement tables(*db_, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (tables.Step()) {
      empty_tables_.push_back(std::make_unique<Statement>(*db_, "DELETE FROM " + tables.Text(0)));
    }
  }
}

ResultStore::~ResultStore() {
  try {
    Release(false);
  } catch (const StoreError&) {
    // Nothing more can be done for the file; the rollback journal keeps it
    // consistent and its mark says the run did not finish.
  }
  if (!fresh_.empty()) {
    // Nothing was stored: the previous results stay, nothing is left beside them.
    CloseConnection();
    std::error_code ec;
    std::filesystem::remove(fresh_, ec);
  }
}

void ResultStore::Begin() {
  db_->Exec("BEGIN");
  in_transaction_ = true;
}

void ResultStore::AddMisc(std::string_view file_path, std::string_view rpt_date) {
  // A path comes from the system, already UTF-8; only submission text is Latin-1.
  insert_misc_->Bind(1, file_path).Bind(2, rpt_date).Run();
}

void ResultStore::SetPinOK(bool pin_ok, bool first_row) {
  (first_row ? pin_first_ : pin_last_)->Bind(1, int64_t{pin_ok ? 1 : 0}).Run();
}

void ResultStore::InsertRecord(const StoredRecord& record) {
  Statement& s = *insert_record_;
  s.Bind(1, record.Rec_Num);
  BindLatin1(s, 2, record.ID);
  if (record.RE_Indx) {
    s.Bind(3, *record.RE_Indx);
  } else {
    s.BindNull(3);
  }
  s.Bind(4, record.Errors);
  BindLatin1(s, 5, record.Record);
  if (record.RecReference) {
    BindLatin1(s, 6, *record.RecReference);
  } else {
    s.BindNull(6);
  }
  s.Run();
}

// The DIAGNOSES table, beside the tables a Test run always writes.
std::string DiagnosesTableSql() {
  return "CREATE TABLE IF NOT EXISTS DIAGNOSES (Diag_Num INTEGER PRIMARY KEY, Code TEXT, "
         "Path TEXT, Rec_Num INTEGER, Offset INTEGER, Position INTEGER, Bytes TEXT, "
         "Explanation TEXT, Explains TEXT)";
}

void ResultStore::InsertDiagnosis(const Diagnosis& diagnosis) {
  db_->Exec(DiagnosesTableSql());
  std::string explains;
  for (const int64_t err_num : diagnosis.explains) {
    if (!explains.empty()) explains += ' ';
    explains += std::to_string(err_num);
  }
  Statement s(*db_,
              "INSERT INTO DIAGNOSES (Code, Path, Rec_Num, Offset, Position, Bytes, Explanation, "
              "Explains) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
  s.Bind(1, diagnosis.cause->code);
  BindLatin1(s, 2, diagnosis.file);
  s.Bind(3, diagnosis.rec_num);
  s.Bind(4, static_cast<int64_t>(diagnosis.offset));
  s.Bind(5, static_cast<int64_t>(diagnosis.position));
  s.Bind(6, diagnosis.bytes);
  s.Bind(7, diagnosis.explanation);  // already UTF-8
  s.Bind(8, explains);
  s.Run();
}

void ResultStore::InsertError(int64_t rec_num, bool critical, std::string_view code,
                              std::string_view reference, std::string_view user_entry,
                              std::string_view error) {
  Statement& s = *insert_error_;
  if (critical) {
    s.Bind(1, std::string_view("C"));
  } else {
    s.BindNull(1);
  }
  s.Bind(2, rec_num);
  BindLatin1(s, 3, reference);
  BindLatin1(s, 4, user_entry);
  BindLatin1(s, 5, error);
  s.Bind(6, code);
  s.Run();
}

void ResultStore::AddToErrorCount(int64_t rec_num, int64_t delta) {
  add_error_count_->Bind(1, delta).Bind(2, rec_num).Run();
}

void ResultStore::InsertAccumulatorRow(Totals which, const AccumulatorRow& row) {
  insert_acc_[static_cast<int>(which)]->Bind(1, row.Indx).Bind(2, Latin1ToUtf8(row.RE_EIN)).Run();
}

void ResultStore::UpdateAccumulatorRow(Totals which, const AccumulatorRow& row) {
  Statement& s = *update_acc_[static_cast<int>(which)];
  s.Bind(1, row.Indx).Bind(2, row.count);
  for (int column = 1; column <= ColumnCount(which); ++column) {
    s.Bind(1 + 2 * column, static_cast<double>(row.sums[column]));
    s.Bind(2 + 2 * column, Latin1ToUtf8(row.err_refs[column]));
  }
  s.Run();
}

void ResultStore::Commit() {
  if (!db_) return;
  if (in_transaction_) {
    in_transaction_ = false;
    db_->Exec("COMMIT");
  }
  if (!fresh_.empty()) {
    MoveIntoPlace();
    Open(path_);
  }
  Begin();
}

void ResultStore::Close() {
  Release(true);
  claim_.reset();  // the results are in place: another run may go ahead
}

StoredTail ResultStore::RollBack() {
  if (!sqlite3_get_autocommit(db_->handle())) db_->Exec("ROLLBACK");
  in_transaction_ = false;
  StoredTail tail;
  Statement last(*db_, "SELECT Rec_Num, ID FROM RECORDS ORDER BY Rec_Num DESC LIMIT 1");
  if (last.Step()) {
    tail.records = last.Int(0);
    tail.last_id = last.Text(1);
  }
  Statement errors(*db_, "SELECT COUNT(*) FROM ERRORS");
  if (errors.Step()) tail.errors = errors.Int(0);
  return tail;
}

void ResultStore::CloseUnfinished() {
  Release(false);
  if (!fresh_.empty()) MoveIntoPlace();
  claim_.reset();
}

void ResultStore::CloseWithCritical(int64_t rec_num, std::string_view code,
                                    std::string_view reference, std::string_view user_entry,
                                    std::string_view error) {
  Begin();
  InsertError(rec_num, true, code, reference, user_entry, error);
  AddToErrorCount(rec_num, 1);
  Close();
}

void ResultStore::Release(bool finished) {
  if (!db_) return;
  if (in_transaction_) {
    if (finished) MarkRunFinished(*db_);
    in_transaction_ = false;
    db_->Exec("COMMIT");
  }
  if (finished && !fresh_.empty()) {
    MoveIntoPlace();
    return;
  }
  if (!InMemory()) CloseConnection();
}

void ResultStore::CloseConnection() {
  insert_misc_.reset();
  pin_first_.reset();
  pin_last_.reset();
  insert_record_.reset();
  insert_error_.reset();
  add_error_count_.reset();
  for (auto& s : insert_acc_) s.reset();
  for (auto& s : update_acc_) s.reset();
  db_.reset();
}

}  // namespace ledgerly
