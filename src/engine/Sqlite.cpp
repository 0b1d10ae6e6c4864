#include "engine/Sqlite.h"

#include <cerrno>
#include <cstring>

#include "engine/FileNames.h"

namespace ledgerly {
namespace {

// SQLite takes file names in UTF-8 on every system (the ANSI code page of
// path::string() is not that on Windows).
std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return {reinterpret_cast<const char*>(name.data()), name.size()};
}

}  // namespace

bool RecoverInterruptedWrite(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(WithSuffix(path, "-journal"), ec)) return true;
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(Utf8Name(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_busy_timeout(db, 2000);
    rc = sqlite3_exec(db, "SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
  return (rc & 0xff) != SQLITE_READONLY && (rc & 0xff) != SQLITE_CANTOPEN;
}

// " (the system's reason)" for a failure of the file rather than of SQL:
// "disk I/O error" alone does not tell a full disk from a failing one, nor
// "unable to open database file" a missing folder from a full inode table.
static std::string SystemReason(sqlite3* db) {
  if (!db) return {};
  const int primary = sqlite3_errcode(db) & 0xff;
  if (primary != SQLITE_IOERR && primary != SQLITE_FULL && primary != SQLITE_CANTOPEN) return {};
  // The database file keeps the error of its last failed call; the connection's
  // own is whatever errno held when SQLite looked, which later calls may have changed.
  int error = 0;
  if (primary != SQLITE_CANTOPEN) sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &error);
  if (error == 0) error = sqlite3_system_errno(db);
  // SQLite reports a short write as a full disk and forgets the error.
  if (error == 0 && primary == SQLITE_FULL) error = ENOSPC;
  return error == 0 ? std::string() : std::string(" (") + std::strerror(error) + ")";
}

Database::Database(const std::filesystem::path& path, Mode mode) {
  // Memory statistics cost a global mutex on every allocation; nothing reads them.
  // (Ignored when SQLite is already in use.)
  [[maybe_unused]] static const int no_memory_statistics =
      sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  // Otherwise the first read would fail with a bare "attempt to write a
  // readonly database".
  if (mode == Mode::ReadOnly && !RecoverInterruptedWrite(path)) {
    throw StoreError(SQLITE_READONLY,
                     path.string() +
                         " holds the results of an interrupted run, which need write access to "
                         "the file and its folder to be recovered");
  }
  // Each connection is used by one thread at a time: no connection mutex.
  const int flags =
      SQLITE_OPEN_NOMUTEX |
      (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  const int rc = sqlite3_open_v2(Utf8Name(path).c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = std::string(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc)) + ": " +
                                path.string() + SystemReason(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    throw StoreError(rc, message);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, 2000);
}

Database::~Database() {
  sqlite3_close_v2(db_);
}

void Database::Exec(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
}

void Database::Fail() const {
  throw StoreError(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_) + SystemReason(db_));
}

Statement::Statement(const Database& db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()),
                         SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
    db.Fail();
  }
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, int64_t value) {
  if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) db_.Fail();
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK) db_.Fail();
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT) != SQLITE_OK) {
    db_.Fail();
  }
  return *this;
}

Statement& Statement::BindView(int index, std::string_view text) {
  if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC) !=
      SQLITE_OK) {
    db_.Fail();
  }
  return *this;
}

Statement& Statement::BindNull(int index) {
  if (sqlite3_bind_null(stmt_, index) != SQLITE_OK) db_.Fail();
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  db_.Fail();
}

void Statement::Run() {
  while (Step()) {
  }
  Reset();
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}
double Statement::Real(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string Statement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
              : std::string();
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

int Statement::ColumnCount() const {
  return sqlite3_column_count(stmt_);
}

}  // namespace ledgerly
